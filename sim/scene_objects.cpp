// The player sprite and the particle field.
#include "sim/scene_objects.h"

glm::mat4 particleModels[particleCount] = {};
TunnelObject player = {};
