// The per-frame simulation step.
#include "sim/frame_update.h"

float waveChangeTime = 0.0f;
float lastBreakTime = 0.0f;
int32_t waveBonus = 0;
glm::mat4 tunnelModel = glm::mat4(1.0f);

void updateFrame() {}
void updatePlatform(int /*p*/, float /*stepTime*/) {}
void endRun() {}
