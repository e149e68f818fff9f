#version 460 core
// Ambient, diffuse and a little specular light on the surface colour, with its texture as detail.
in vec3 worldPos;
in vec3 worldNormal;
in vec2 surfaceCoord;

uniform sampler2D platformTex;  // unit 0
uniform vec3 color;
uniform vec3 lightColor;
uniform vec3 lightPos;
uniform vec3 viewPos;

out vec4 fragColor;

// A high ambient term keeps the wireframe white far down the tunnel, away from the light.
const float ambientStrength = 0.75;
const float diffuseStrength = 0.45;
const float specularStrength = 0.3;
const float shininess = 32.0;
const float detailStrength = 0.5;

void main() {
  vec3 n = worldNormal;
  float len = length(n);
  n = len > 0.0 ? n / len : vec3(0.0, 1.0, 0.0);
  vec3 toLight = normalize(lightPos - worldPos);
  vec3 toEye = normalize(viewPos - worldPos);
  float diffuse = max(dot(n, toLight), 0.0);
  float specular = pow(max(dot(toEye, reflect(-toLight, n)), 0.0), shininess);
  vec3 light = (ambientStrength + diffuseStrength * diffuse + specularStrength * specular) * lightColor;
  // The texture adds detail in the surface's own colour, so a black surface stays black.
  vec3 detail = texture(platformTex, surfaceCoord).rgb * detailStrength;
  fragColor = vec4(min(color * light + color * detail, vec3(1.0)), 1.0);
}
