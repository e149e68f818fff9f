// The heap's policy while the art loads: big blocks reused from one heap, then the usual policy.
#pragma once

// While the pictures are decoded and uploaded, their big blocks come from one heap and go back
// to it instead of being mapped and unmapped for each picture.
void beginBulkAllocation();
// The usual policy again, and what is free given back to the system.
void endBulkAllocation();
