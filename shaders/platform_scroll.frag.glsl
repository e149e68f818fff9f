#version 460 core
// Ambient, diffuse and a little specular light on the surface colour, with its texture as detail
// on coloured surfaces (the blades); the grey wireframe and the black body ignore the texture.
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
const float ambientStrength = 0.95;
const float diffuseStrength = 0.35;
const float specularStrength = 0.3;
const float shininess = 32.0;
const float detailFloor = 0.25;  // texture black darkens a coloured surface to this share

void main() {
  vec3 n = worldNormal;
  float len = length(n);
  n = len > 0.0 ? n / len : vec3(0.0, 1.0, 0.0);
  vec3 toLight = normalize(lightPos - worldPos);
  vec3 toEye = normalize(viewPos - worldPos);
  float diffuse = max(dot(n, toLight), 0.0);
  float specular = pow(max(dot(toEye, reflect(-toLight, n)), 0.0), shininess);
  vec3 light = (ambientStrength + diffuseStrength * diffuse + specularStrength * specular) * lightColor;
  // Whatever texture unit 0 holds when the tunnel is drawn must not dim its white edges, so the
  // texture only shades surfaces with a hue: weight = the colour's saturation (0 for grey).
  float hue = max(color.r, max(color.g, color.b)) - min(color.r, min(color.g, color.b));
  float texel = dot(texture(platformTex, surfaceCoord).rgb, vec3(1.0 / 3.0));
  float detail = mix(1.0, detailFloor + texel, hue);
  fragColor = vec4(min(color * light * detail, vec3(1.0)), 1.0);
}
