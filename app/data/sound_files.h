// The sound effect files: named by the pickups and the menus that play them, opened by the sound
// engine.
#pragma once

constexpr const char* collectSound = "./audio/collect1.wav";
constexpr const char* clinkSound = "./audio/clink.wav";
constexpr const char* menuSelectSound = "./audio/menu_select.wav";
