# What Debian's Emscripten needs around it to build the game for the web; sourced.
# Its optimizer loads the acorn parser, which Debian installs among its Node.js modules rather
# than where a Node.js from elsewhere looks.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
