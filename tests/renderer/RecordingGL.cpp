#include "renderer/RecordingGL.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <tuple>
#include <type_traits>

using namespace ifx::canvas;

namespace {
enum GLIndex
{
#define GL_INDEX(ret, member, name, params) kGL_##member,
  CANVAS_GL_FUNCTIONS(GL_INDEX) CANVAS_GL_OPTIONAL_FUNCTIONS(GL_INDEX)
#undef GL_INDEX
};

const char* const kNames[] = {
#define GL_NAME(ret, member, name, params) name,
  CANVAS_GL_FUNCTIONS(GL_NAME) CANVAS_GL_OPTIONAL_FUNCTIONS(GL_NAME)
#undef GL_NAME
};

std::vector<GLRecord> gLog;
unsigned gNextName = 0;

template <typename T>
void Record(GLRecord& r, T value)
{
  if constexpr (std::is_arithmetic_v<T>)
    r.args.push_back((double)value);
  else
    r.args.push_back(0.0);
  if constexpr (std::is_same_v<T, const char*>)
    r.strings.emplace_back(value);
}

template <int Index, typename F>
struct GLStub;

template <int Index, typename R, typename... A>
struct GLStub<Index, R(CANVAS_GLAPI*)(A...)>
{
  static R CANVAS_GLAPI Call(A... a)
  {
    GLRecord r;
    r.name = kNames[Index];
    (Record(r, a), ...);
    auto t = std::forward_as_tuple(a...);
    if constexpr (Index == kGL_uniform4fv)
      r.floats.assign(std::get<2>(t), std::get<2>(t) + 4 * std::get<1>(t));
    if constexpr (Index == kGL_uniform2fv)
      r.floats.assign(std::get<2>(t), std::get<2>(t) + 2 * std::get<1>(t));
    if constexpr (Index == kGL_shaderSource)
      for (int i = 0; i < std::get<1>(t); i++)
        r.strings.emplace_back(std::get<2>(t)[i]);
    if constexpr (Index == kGL_vertexAttribPointer)
      r.args[5] = (double)reinterpret_cast<std::uintptr_t>(std::get<5>(t));
    if constexpr (Index == kGL_drawElements)
      r.args[3] = (double)reinterpret_cast<std::uintptr_t>(std::get<3>(t));
    if constexpr (Index == kGL_bufferData)
      if (std::get<2>(t))
      {
        const auto* data = static_cast<const unsigned char*>(std::get<2>(t));
        r.bytes.assign(data, data + std::get<1>(t));
      }
    if constexpr (Index == kGL_bindFramebuffer)
      RecordingGL::boundFramebuffer = (int)std::get<1>(t);
    if constexpr (Index == kGL_bindRenderbuffer)
      RecordingGL::boundRenderbuffer = (int)std::get<1>(t);
    if constexpr (Index == kGL_genTextures || Index == kGL_genBuffers || Index == kGL_genFramebuffers ||
                  Index == kGL_genRenderbuffers)
      for (int i = 0; i < std::get<0>(t); i++)
        std::get<1>(t)[i] = ++gNextName;
    if constexpr (Index == kGL_getShaderiv)
    {
      *std::get<2>(t) = RecordingGL::compileStatus;
      if (!RecordingGL::compileStatuses.empty())
      {
        *std::get<2>(t) = RecordingGL::compileStatuses.front();
        RecordingGL::compileStatuses.erase(RecordingGL::compileStatuses.begin());
      }
    }
    if constexpr (Index == kGL_getProgramiv)
      *std::get<2>(t) = RecordingGL::linkStatus;
    if constexpr (Index == kGL_getIntegerv)
    {
      const cgl::Enum pname = std::get<0>(t);
      int* data = std::get<1>(t);
      if (pname == cgl::kViewport)
        std::copy(RecordingGL::viewport, RecordingGL::viewport + 4, data);
      else
        *data = pname == cgl::kFramebufferBinding             ? RecordingGL::boundFramebuffer
                : pname == cgl::kRenderbufferBinding          ? RecordingGL::boundRenderbuffer
                : pname == cgl::kMaxFragmentUniformComponents ? RecordingGL::maxFragmentUniformComponents
                : pname == cgl::kSampleBuffers                ? RecordingGL::sampleBuffers
                                                              : 0;
    }
    if constexpr (Index == kGL_getShaderInfoLog || Index == kGL_getProgramInfoLog)
    {
      const char log[] = "recorded log";
      std::snprintf(std::get<3>(t), (size_t)std::get<1>(t), "%s", log);
      *std::get<2>(t) = (int)sizeof(log) - 1;
    }
    gLog.push_back(r);

    if constexpr (Index == kGL_checkFramebufferStatus)
    {
      if (RecordingGL::framebufferStatus.empty())
        return cgl::kFramebufferComplete;
      const cgl::Enum status = RecordingGL::framebufferStatus.front();
      RecordingGL::framebufferStatus.erase(RecordingGL::framebufferStatus.begin());
      return status;
    }
    else if constexpr (Index == kGL_createProgram || Index == kGL_createShader)
      return ++gNextName;
    else if constexpr (Index == kGL_getError)
      return RecordingGL::error;
    else if constexpr (Index == kGL_getUniformLocation)
      return (int)gLog.size(); // distinct per name
    else if constexpr (!std::is_void_v<R>)
      return R{};
  }
};
} // namespace

int RecordingGL::compileStatus = 1;
std::vector<int> RecordingGL::compileStatuses;
int RecordingGL::linkStatus = 1;
// 64 blocks of 11 vectors and the 8 left to the compiler.
constexpr int kRoomFor64Blocks = (64 * 11 + 8) * 4;
int RecordingGL::maxFragmentUniformComponents = kRoomFor64Blocks;
int RecordingGL::viewport[4] = {0, 0, 100, 100};
int RecordingGL::sampleBuffers = 0;
std::vector<cgl::Enum> RecordingGL::framebufferStatus;
int RecordingGL::boundFramebuffer = 0;
int RecordingGL::boundRenderbuffer = 0;
cgl::Enum RecordingGL::error = cgl::kNoError;

void RecordingGL::Reset()
{
  gLog.clear();
  compileStatus = 1;
  compileStatuses.clear();
  linkStatus = 1;
  maxFragmentUniformComponents = kRoomFor64Blocks;
  viewport[0] = viewport[1] = 0;
  viewport[2] = viewport[3] = 100;
  sampleBuffers = 0;
  framebufferStatus.clear();
  boundFramebuffer = 0;
  boundRenderbuffer = 0;
  error = cgl::kNoError;
}

CanvasGLApi RecordingGL::Table()
{
  CanvasGLApi api{};
#define GL_STUB(ret, member, name, params) api.member = &GLStub<kGL_##member, decltype(api.member)>::Call;
  CANVAS_GL_FUNCTIONS(GL_STUB)
  CANVAS_GL_OPTIONAL_FUNCTIONS(GL_STUB)
#undef GL_STUB
  return api;
}

std::vector<GLRecord>& RecordingGL::Log() { return gLog; }

std::vector<GLRecord> RecordingGL::Named(const std::string& name)
{
  std::vector<GLRecord> out;
  for (const auto& r : gLog)
    if (r.name == name)
      out.push_back(r);
  return out;
}

std::string RecordingGL::Line(const std::string& name, const std::vector<double>& args)
{
  std::string line = name;
  for (double a : args)
  {
    char buf[32];
    if (a >= 0 && a == (double)(long long)a)
      std::snprintf(buf, sizeof(buf), " 0x%llx", (unsigned long long)a);
    else
      std::snprintf(buf, sizeof(buf), " %g", a);
    line += buf;
  }
  return line;
}

std::vector<std::string> RecordingGL::Lines(size_t first, const std::vector<std::string>& skip)
{
  std::vector<std::string> out;
  for (size_t i = first; i < gLog.size(); i++)
  {
    const GLRecord& r = gLog[i];
    bool skipped = false;
    for (const auto& s : skip)
      skipped = skipped || r.name == s;
    if (skipped)
      continue;
    out.push_back(Line(r.name, r.args));
  }
  return out;
}
