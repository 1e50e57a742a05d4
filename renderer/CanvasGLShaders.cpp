// The shader program of the GL back end: GLSL 1.10 as a compatibility
// context takes it (no #version line). With PAINT_TABLE the uniform array
// holds a block per call of a batch and each vertex names its block; a
// driver that cannot index the fragment stage's uniforms gets the program
// without it, one block per draw.

#include <cstdio>

#include "base/Trace.h"
#include "renderer/CanvasGLBackend.h"

namespace ifx::canvas {

namespace {
const char* const kVertexShader = R"(
uniform vec2 viewSize;
attribute vec2 vertex;
attribute vec2 tcoord;
varying vec2 ftcoord;
varying vec2 fpos;
#ifdef PAINT_TABLE
attribute float paint;
varying float fpaint;
#endif
void main(void) {
  ftcoord = tcoord;
  fpos = vertex;
#ifdef PAINT_TABLE
  fpaint = paint;
#endif
  gl_Position = vec4(2.0 * vertex.x / viewSize.x - 1.0, 1.0 - 2.0 * vertex.y / viewSize.y, 0.0, 1.0);
}
)";

// Coverage is the product of the scissor's soft edge and, with edge
// anti-aliasing, the fringe's ramp from its texture coordinate.
const char* const kFragmentShader = R"(
uniform vec4 frag[UNIFORMARRAY_SIZE];
uniform sampler2D tex;
varying vec2 ftcoord;
varying vec2 fpos;
#ifdef PAINT_TABLE
varying float fpaint;
int paintBase;
#define P(i) frag[paintBase + i]
#else
#define P(i) frag[i]
#endif
#define scissorMat mat3(P(0).xyz, P(1).xyz, P(2).xyz)
#define paintMat mat3(P(3).xyz, P(4).xyz, P(5).xyz)
#define innerCol P(6)
#define outerCol P(7)
#define scissorExt P(8).xy
#define scissorScale P(8).zw
#define extent P(9).xy
#define radius P(9).z
#define feather P(9).w
#define strokeMult P(10).x
#define strokeThr P(10).y
#define texType int(P(10).z)
#define type int(P(10).w)

float roundRectDistance(vec2 pt, vec2 ext, float rad) {
  vec2 inner = ext - vec2(rad, rad);
  vec2 d = abs(pt) - inner;
  return min(max(d.x, d.y), 0.0) + length(max(d, 0.0)) - rad;
}

float scissorMask(vec2 p) {
  vec2 sc = abs((scissorMat * vec3(p, 1.0)).xy) - scissorExt;
  sc = vec2(0.5, 0.5) - sc * scissorScale;
  return clamp(sc.x, 0.0, 1.0) * clamp(sc.y, 0.0, 1.0);
}

vec4 texel(vec2 at) {
  vec4 color = texture2D(tex, at);
  if (texType == 1) color = vec4(color.xyz * color.w, color.w);
  if (texType == 2) color = vec4(color.x);
  return color;
}

void main(void) {
#ifdef PAINT_TABLE
  paintBase = int(fpaint + 0.5) * 11;
#endif
  vec4 result;
  float scissor = scissorMask(fpos);
#ifdef EDGE_AA
  float strokeAlpha = min(1.0, (1.0 - abs(ftcoord.x * 2.0 - 1.0)) * strokeMult) * min(1.0, ftcoord.y);
  if (strokeAlpha < strokeThr) discard;
#else
  float strokeAlpha = 1.0;
#endif
  if (type == 0) {
    vec2 pt = (paintMat * vec3(fpos, 1.0)).xy;
    float d = clamp((roundRectDistance(pt, extent, radius) + feather * 0.5) / feather, 0.0, 1.0);
    result = mix(innerCol, outerCol, d) * (strokeAlpha * scissor);
  } else if (type == 1) {
    vec2 pt = (paintMat * vec3(fpos, 1.0)).xy / extent;
    result = texel(pt) * innerCol * (strokeAlpha * scissor);
  } else if (type == 2) {
    result = vec4(1.0, 1.0, 1.0, 1.0);
  } else {
    result = texel(ftcoord) * scissor * innerCol;
  }
  gl_FragColor = result;
}
)";

using InfoLogGetter = void(CANVAS_GLAPI*)(cgl::Uint object, int bufSize, int* length, char* log);

// The info log of a shader or program, cut to 512 characters.
struct InfoLog
{
  char text[512 + 1] = {};
};

InfoLog ReadInfoLog(InfoLogGetter get, cgl::Uint object)
{
  InfoLog log;
  int len = 0;
  get(object, 512, &len, log.text);
  len = len < 0 ? 0 : len > 512 ? 512 : len;
  log.text[len] = '\0';
  return log;
}

void TraceShaderLog(CanvasGLBackend& b, cgl::Uint shader, const char* name, const char* stage)
{
  ifx::Trace("CanvasGLBackend::BuildProgram", __LINE__, "Shader %s/%s error:\n%s", name, stage,
             ReadInfoLog(b.gl.getShaderInfoLog, shader).text);
}

void TraceProgramLog(CanvasGLBackend& b, cgl::Uint program, const char* name)
{
  ifx::Trace("CanvasGLBackend::BuildProgram", __LINE__, "Program %s error:\n%s", name,
             ReadInfoLog(b.gl.getProgramInfoLog, program).text);
}
} // namespace

bool CanvasGLBackend::BuildProgram(const char* name, const char* header, const char* opts, const char* vshader,
                                   const char* fshader, bool paintTable)
{
  const char* strings[3] = {header, opts ? opts : "", nullptr};
  const cgl::Uint prog = gl.createProgram();
  const cgl::Uint vert = gl.createShader(cgl::kVertexShader);
  const cgl::Uint frag = gl.createShader(cgl::kFragmentShader);
  // Kept at once so that TearDown deletes them whatever fails below.
  program = prog;
  vertShader = vert;
  fragShader = frag;

  strings[2] = vshader;
  gl.shaderSource(vert, 3, strings, nullptr);
  strings[2] = fshader;
  gl.shaderSource(frag, 3, strings, nullptr);

  int status = 0;
  gl.compileShader(vert);
  gl.getShaderiv(vert, cgl::kCompileStatus, &status);
  if (status != 1)
  {
    TraceShaderLog(*this, vert, name, "vert");
    return false;
  }
  gl.compileShader(frag);
  gl.getShaderiv(frag, cgl::kCompileStatus, &status);
  if (status != 1)
  {
    TraceShaderLog(*this, frag, name, "frag");
    return false;
  }
  gl.attachShader(prog, vert);
  gl.attachShader(prog, frag);
  gl.bindAttribLocation(prog, 0, "vertex");
  gl.bindAttribLocation(prog, 1, "tcoord");
  if (paintTable)
    gl.bindAttribLocation(prog, 2, "paint");
  gl.linkProgram(prog);
  gl.getProgramiv(prog, cgl::kLinkStatus, &status);
  if (status != 1)
  {
    TraceProgramLog(*this, prog, name);
    return false;
  }
  return true;
}

void CanvasGLBackend::DeleteProgram()
{
  if (program != 0)
    gl.deleteProgram(program);
  if (vertShader != 0)
    gl.deleteShader(vertShader);
  if (fragShader != 0)
    gl.deleteShader(fragShader);
  program = vertShader = fragShader = 0;
}

int CanvasGLBackend::SetUp(void* user)
{
  auto* b = static_cast<CanvasGLBackend*>(user);
  b->CheckError("init");
  const char* opts = (b->flags & kCanvasGLAntiAlias) ? "#define EDGE_AA 1\n" : "";
  // As many blocks as the fragment stage's uniforms hold (at least 1).
  int components = 0;
  b->gl.getIntegerv(cgl::kMaxFragmentUniformComponents, &components);
  int slots = (components / 4 - kReservedUniformVectors) / kFragVectors;
  slots = slots < 1 ? 1 : slots > kMaxPaintSlots ? kMaxPaintSlots : slots;
  char header[128];
  auto build = [&](int n) {
    std::snprintf(header, sizeof(header), "#define NANOVG_GL2 1\n#define UNIFORMARRAY_SIZE %d\n%s\n", kFragVectors * n,
                  n > 1 ? "#define PAINT_TABLE 1\n" : "");
    return b->BuildProgram("shader", header, opts, kVertexShader, kFragmentShader, n > 1);
  };
  if (slots > 1 && !build(slots))
  {
    b->DeleteProgram();
    slots = 1;
  }
  if (slots == 1 && !build(1))
    return 0;
  b->paintSlots = slots;
  b->CheckError("uniform locations");
  b->locViewSize = b->gl.getUniformLocation(b->program, "viewSize");
  b->locTex = b->gl.getUniformLocation(b->program, "tex");
  b->locFrag = b->gl.getUniformLocation(b->program, "frag");
  b->gl.genBuffers(1, &b->vertBuf);
  b->gl.genBuffers(1, &b->slotBuf);
  b->gl.genBuffers(1, &b->indexBuf);
  // Blocks lie back to back: a batch uploads its run of them as one array.
  b->fragSize = (int)sizeof(CanvasGLFragUniforms);
  b->dummyTex = MakeTexture(user, kCanvasTextureAlpha, 1, 1, 0, nullptr);
  if (b->dummyTex == 0)
    return 0;
  b->CheckError("create done");
  // The framebuffer this context draws to when no render target is bound
  // (not always 0: some windowing layers give the window another one).
  int fb = 0;
  b->gl.getIntegerv(cgl::kFramebufferBinding, &fb);
  b->windowFramebuffer = fb;
  b->gl.finish();
  return 1;
}

} // namespace ifx::canvas
