// vst3host: a small VST3 host for tests. Loads a module, lists its classes,
// runs a plug-in over generated signals or WAV files, automates parameters,
// saves and restores state. Reports on stdout; exit code 0 on success.
//
//   vst3host scan <module>
//   vst3host info <module>
//   vst3host process <module> [--rate hz] [--block n] [--double] [--in-place]
//            [--signal sine|noise|impulse|silence] [--frames n] [--input in.wav]
//            [--tail seconds] [--output out.wav] [--set id=value[@frame]]...
//            [--save-state f] [--load-state f]
//     Runs at the input file's sample rate unless --rate is given (44100 for
//     a generated signal) and writes the output at that rate as 32-bit float.
//     --tail renders the plug-in's latency plus that many seconds past the
//     end of the input.
//   vst3host check-bypass <module> [--rate hz] [--block n] [--double]
//   vst3host check-state <module> [--rate hz] [--block n] [--double]
//   vst3host check-precision <module> [--rate hz] [--block n]
//   vst3host check-blocks <module> [--rate hz]
//   vst3host editor <module> [--screenshot out.png] [--pixel x,y]...
//            [--click x,y]... [--right-click x,y]... [--double-click x,y]...
//            [--drag x,y,x2,y2]... [--wheel x,y,delta]... [--key vk]...
//            [--shot out.png]... [--measure ms] [--reopen n]
//            [--play sine|noise|impulse|silence] [--scale factor]...
//     Opens the editor through its view in a host window (Windows), counts
//     its redraw ticks, sets each display scale and reports the sizes that
//     follow, posts the input (editor window pixels; each --shot
//     writes the editor's picture once what came before it is drawn), plays
//     half a second of the signal through the plug-in (48 kHz), writes the
//     editor's picture as PNG and prints the chosen pixels (r g b a), closes
//     and reopens it. The host window takes every size the editor asks
//     for. Elsewhere the view must refuse to attach.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "abi/vst3/FUID.h"
#include "abi/vst3/Vst3ChannelContext.h"
#include "abi/vst3/Vst3Strings.h"
#include "abi/vst3/Vst3Units.h"
#include "hostaudio/ProcessInput.h"
#include "hostaudio/EditorSession.h"
#include "vst3host/ModuleLoader.h"
#include "vst3host/PluginInstance.h"

using namespace vst3host;
using hostaudio::GenerateSignal;

namespace {

struct Args
{
  std::string command, module, output, saveState, loadState;
  hostaudio::InputOptions input;
  RunOptions run;
  std::vector<ParamPoint> automation;
  hostaudio::EditorOptions editor;
};

bool ParseArgs(int argc, char** argv, Args& a)
{
  if (argc < 3)
    return false;
  a.command = argv[1];
  a.module = argv[2];
  for (int i = 3; i < argc; ++i)
  {
    const std::string opt = argv[i];
    if (opt == "--double")
    {
      a.run.use64 = true;
      continue;
    }
    if (opt == "--in-place")
    {
      a.run.inPlace = true;
      continue;
    }
    if (i + 1 >= argc)
      return false;
    const char* v = argv[++i];
    if (opt == "--rate")
      a.run.rate = a.input.rate = std::atof(v);
    else if (opt == "--block")
      a.run.block = std::atoi(v);
    else if (opt == "--announce")
      a.run.announce = std::atoi(v);
    else if (opt == "--frames")
      a.input.frames = std::atol(v);
    else if (opt == "--signal")
      a.input.signal = v;
    else if (opt == "--input")
      a.input.path = v;
    else if (opt == "--tail")
    {
      if (!hostaudio::ParseTailSeconds(v, a.input.tailSeconds))
        return false;
    }
    else if (opt == "--output")
      a.output = v;
    else if (opt == "--save-state")
      a.saveState = v;
    else if (opt == "--load-state")
      a.loadState = v;
    else if (opt == "--set")
    {
      ParamPoint p{0, 0, 0.};
      if (std::sscanf(v, "%u=%lf", &p.id, &p.value) != 2)
        return false;
      if (const char* at = std::strchr(v, '@'))
        p.frame = std::atol(at + 1);
      a.automation.push_back(p);
    }
    else if (!hostaudio::ParseEditorOption(opt, v, a.editor))
    {
      return false;
    }
  }
  return a.run.block > 0 && a.run.rate > 0. && a.input.frames >= 0;
}

// Texts the plug-in hands over, as UTF-8 for printing.
std::string Narrow(const char16_t* s, int max) { return Steinberg::StrUtf16ToUtf8(s, max); }

std::string Field(const char* s, size_t n) { return std::string(s, strnlen(s, n)); }

std::string Hex(const char* bytes)
{
  char out[33];
  Steinberg::FUID(bytes).toString(out);
  return out;
}

int Scan(ModuleLoader& loader)
{
  IPluginFactory* factory = loader.factory();
  if (!factory)
    return std::puts("error: no factory"), 1;
  PFactoryInfo fi{};
  factory->getFactoryInfo(&fi);
  std::printf("factory.vendor: %s\nfactory.url: %s\nfactory.email: %s\nfactory.flags: %d\n",
              Field(fi.vendor, sizeof fi.vendor).c_str(), Field(fi.url, sizeof fi.url).c_str(),
              Field(fi.email, sizeof fi.email).c_str(), fi.flags);
  const int32 count = factory->countClasses();
  std::printf("classes: %d\n", count);
  IPluginFactory2* f2 = nullptr;
  IPluginFactory3* f3 = nullptr;
  factory->queryInterface(IPluginFactory2::iid, reinterpret_cast<void**>(&f2));
  factory->queryInterface(IPluginFactory3::iid, reinterpret_cast<void**>(&f3));
  for (int32 i = 0; i < count; ++i)
  {
    PClassInfo ci{};
    factory->getClassInfo(i, &ci);
    std::printf("class[%d].cid: %s\nclass[%d].cardinality: %d\nclass[%d].category: %s\nclass[%d].name: %s\n", i,
                Hex(ci.cid).c_str(), i, ci.cardinality, i, Field(ci.category, sizeof ci.category).c_str(), i,
                Field(ci.name, sizeof ci.name).c_str());
    PClassInfo2 c2{};
    if (f2 && f2->getClassInfo2(i, &c2) == kResultOk)
      std::printf("class[%d].flags: %u\nclass[%d].subCategories: %s\nclass[%d].vendor: %s\nclass[%d].version: %s\n"
                  "class[%d].sdkVersion: %s\n",
                  i, c2.classFlags, i, Field(c2.subCategories, sizeof c2.subCategories).c_str(), i,
                  Field(c2.vendor, sizeof c2.vendor).c_str(), i, Field(c2.version, sizeof c2.version).c_str(), i,
                  Field(c2.sdkVersion, sizeof c2.sdkVersion).c_str());
    PClassInfoW cw{};
    if (f3 && f3->getClassInfoUnicode(i, &cw) == kResultOk)
      std::printf("class[%d].utf16.name: %s\nclass[%d].utf16.vendor: %s\nclass[%d].utf16.version: %s\n"
                  "class[%d].utf16.sdkVersion: %s\n",
                  i, Narrow(cw.name, 64).c_str(), i, Narrow(cw.vendor, 64).c_str(), i, Narrow(cw.version, 64).c_str(),
                  i, Narrow(cw.sdkVersion, 64).c_str());
  }
  if (f2)
    f2->release();
  if (f3)
    f3->release();
  factory->release();
  return count > 0 ? 0 : 1;
}

bool CreateFirst(ModuleLoader& loader, PluginInstance& plug)
{
  IPluginFactory* factory = loader.factory();
  if (!factory)
    return std::puts("error: no factory"), false;
  PClassInfo ci{};
  std::string error;
  const bool ok = factory->countClasses() > 0 && factory->getClassInfo(0, &ci) == kResultOk &&
                  plug.create(factory, ci.cid, error) && plug.initialize(error);
  factory->release();
  if (!ok)
    std::printf("error: %s\n", error.c_str());
  return ok;
}

template <class I>
const char* Offers(FUnknown* obj)
{
  void* p = nullptr;
  if (obj->queryInterface(I::iid, &p) != kResultOk || !p)
    return "no";
  static_cast<FUnknown*>(p)->release();
  return "yes";
}

int Info(ModuleLoader& loader, const Args& a)
{
  PluginInstance plug;
  if (!CreateFirst(loader, plug))
    return 1;
  FUnknown* c = plug.component;
  std::printf("query.IComponent: %s\nquery.IAudioProcessor: %s\nquery.IEditController: %s\n"
              "query.IEditController2: %s\nquery.IUnitInfo: %s\nquery.IMidiMapping: %s\nquery.IInfoListener: %s\n"
              "query.IProcessContextRequirements: %s\nquery.IConnectionPoint: %s\nquery.IPluginBase: %s\n",
              Offers<IComponent>(c), Offers<IAudioProcessor>(c), Offers<IEditController>(c),
              Offers<IEditController2>(c), Offers<IUnitInfo>(c), Offers<IMidiMapping>(c),
              Offers<ChannelContext::IInfoListener>(c), Offers<IProcessContextRequirements>(c),
              Offers<IConnectionPoint>(c), Offers<IPluginBase>(c));
  void* u1 = nullptr;
  void* u2 = nullptr;
  plug.component->queryInterface(FUnknown::iid, &u1);
  plug.processor->queryInterface(FUnknown::iid, &u2);
  std::printf("identity: %s\n", u1 && u1 == u2 ? "same" : "different");
  if (u1)
    static_cast<FUnknown*>(u1)->release();
  if (u2)
    static_cast<FUnknown*>(u2)->release();
  for (int dir = 0; dir < 2; ++dir)
    for (int type = 0; type < 2; ++type)
      for (int32 i = 0; i < plug.component->getBusCount(type, dir); ++i)
      {
        BusInfo bi{};
        plug.component->getBusInfo(type, dir, i, bi);
        SpeakerArrangement arr = 0;
        if (type == kAudio)
          plug.processor->getBusArrangement(dir, i, arr);
        std::printf("bus.%s.%s[%d]: \"%s\" channels %d type %d flags %u arrangement 0x%llx\n",
                    type == kAudio ? "audio" : "event", dir == kInput ? "in" : "out", i, Narrow(bi.name, 128).c_str(),
                    bi.channelCount, bi.busType, bi.flags, static_cast<unsigned long long>(arr));
      }
  if (plug.controller)
  {
    const int32 n = plug.controller->getParameterCount();
    std::printf("params: %d\n", n);
    for (int32 i = 0; i < n; ++i)
    {
      ParameterInfo pi{};
      plug.controller->getParameterInfo(i, pi);
      String128 text{};
      const double v = plug.controller->getParamNormalized(pi.id);
      plug.controller->getParamStringByValue(pi.id, v, text);
      std::printf("param[%d]: id %u \"%s\" units \"%s\" steps %d default %.6f flags 0x%x unit %d value %.6f \"%s\"\n",
                  i, pi.id, Narrow(pi.title, 128).c_str(), Narrow(pi.units, 128).c_str(), pi.stepCount,
                  pi.defaultNormalizedValue, pi.flags, pi.unitId, v, Narrow(text, 128).c_str());
    }
    IUnitInfo* units = nullptr;
    if (plug.component->queryInterface(IUnitInfo::iid, reinterpret_cast<void**>(&units)) == kResultOk)
    {
      for (int32 i = 0; i < units->getUnitCount(); ++i)
      {
        UnitInfo ui{};
        units->getUnitInfo(i, ui);
        std::printf("unit[%d]: id %d parent %d \"%s\"\n", i, ui.id, ui.parentUnitId, Narrow(ui.name, 128).c_str());
      }
      String128 name{};
      if (units->getProgramName(65537, 0, name) == kResultOk)
        std::printf("program[0]: \"%s\"\n", Narrow(name, 128).c_str());
      units->release();
    }
  }
  std::string error;
  if (!plug.start(a.run, error))
    return std::printf("error: %s\n", error.c_str()), 1;
  std::printf("latency: %u\ntail: %u\nrestarts:", plug.processor->getLatencySamples(),
              plug.processor->getTailSamples());
  for (int32 f : plug.handler->restarts)
    std::printf(" %d", f);
  std::printf("\n");
  return 0;
}

uint64_t Hash(const Audio& audio)
{
  uint64_t h = 1469598103934665603ull;
  for (const auto& ch : audio)
    for (double v : ch)
    {
      const float f = static_cast<float>(v);
      unsigned char b[4];
      std::memcpy(b, &f, 4);
      for (unsigned char x : b)
        h = (h ^ x) * 1099511628211ull;
    }
  return h;
}

void PrintStats(const char* what, const Audio& audio)
{
  for (size_t c = 0; c < audio.size(); ++c)
  {
    double peak = 0., sum = 0.;
    for (double v : audio[c])
    {
      peak = std::max(peak, std::fabs(v));
      sum += v * v;
    }
    const double rms = audio[c].empty() ? 0. : std::sqrt(sum / static_cast<double>(audio[c].size()));
    std::printf("%s[%zu]: peak %.6f rms %.6f\n", what, c, peak, rms);
  }
  std::printf("%s.hash: %016llx\n", what, static_cast<unsigned long long>(Hash(audio)));
}

bool ReadFile(const std::string& path, std::vector<char>& bytes)
{
  std::ifstream f(path, std::ios::binary);
  if (!f)
    return false;
  bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  return true;
}

// The input is read before the module is loaded, so that a file that cannot
// be used gives one error line and nothing else.
int Process(ModuleLoader& loader, const Args& a, Audio& input, double rate)
{
  PluginInstance plug;
  if (!CreateFirst(loader, plug))
    return 1;
  if (!a.loadState.empty())
  {
    std::vector<char> bytes;
    if (!ReadFile(a.loadState, bytes))
      return std::puts("error: cannot read state"), 1;
    std::printf("setState: %s\n", plug.setState(bytes) == kResultOk ? "ok" : "failed");
  }
  std::string error;
  RunOptions run = a.run;
  run.rate = rate;
  if (!plug.start(run, error))
    return std::printf("error: %s\n", error.c_str()), 1;
  const uint32 latency = plug.processor->getLatencySamples();
  hostaudio::AppendTail(a.input, static_cast<long>(latency), rate, input);
  Audio output;
  plug.run(input, output, a.automation);
  std::printf("latency: %u\n", latency);
  std::printf("rate: %g\n", rate);
  PrintStats("in", input);
  PrintStats("out", output);
  if (!a.output.empty() && !hostaudio::WriteWav(a.output, output, rate))
    return std::printf("error: cannot write %s\n", a.output.c_str()), 1;
  if (!a.saveState.empty())
  {
    std::vector<char> bytes;
    tresult r = kResultFalse;
    plug.getState(bytes, r);
    std::ofstream f(a.saveState, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::printf("getState: %s, %zu bytes\n", r == kResultOk ? "ok" : "failed", bytes.size());
    if (r != kResultOk || !f)
      return 1;
  }
  return 0;
}

int CheckBypass(ModuleLoader& loader, const Args& a)
{
  PluginInstance plug;
  std::string error;
  if (!CreateFirst(loader, plug))
    return 1;
  if (!plug.start(a.run, error))
    return std::printf("error: %s\n", error.c_str()), 1;
  const long latency = static_cast<long>(plug.processor->getLatencySamples());
  Audio input, output;
  GenerateSignal("noise", 2, latency + 33075, a.run.rate, input);
  plug.run(input, output, {{65536, 0, 1.}});
  double maxError = 0.;
  for (size_t c = 0; c < 2; ++c)
    for (size_t i = 0; i < output[c].size(); ++i)
    {
      const double expected = static_cast<long>(i) >= latency ? input[c][i - static_cast<size_t>(latency)] : 0.;
      maxError = std::max(maxError, std::fabs(output[c][i] - expected));
    }
  std::printf("bypass: latency %ld, max error %g\n", latency, maxError);
  const bool ok = latency > 0 && maxError == 0.;
  std::printf("bypass check: %s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}

int CheckState(ModuleLoader& loader, const Args& a)
{
  std::string error;
  PluginInstance first, second;
  if (!CreateFirst(loader, first))
    return 1;
  if (!first.start(a.run, error))
    return std::printf("error: %s\n", error.c_str()), 1;
  // Values away from "Init" in a block without samples; the last point of a
  // queue wins.
  first.flush({{2, 0, 0.2}, {2, 100, 0.9}, {4, 10, 1.0}, {5, 0, 7. / 11.}, {6, 0, 0.3}, {12, 5, 0.8}, {65536, 0, 0.}});
  std::vector<char> state;
  tresult r = kResultFalse;
  first.getState(state, r);
  std::printf("getState: %s, %zu bytes\n", r == kResultOk ? "ok" : "failed", state.size());
  if (!CreateFirst(loader, second))
    return 1;
  const tresult restored = second.setState(state);
  std::printf("setState: %s\n", restored == kResultOk ? "ok" : "failed");
  if (!second.start(a.run, error))
    return std::printf("error: %s\n", error.c_str()), 1;
  Audio input, out1, out2;
  GenerateSignal("noise", 2, 44100, a.run.rate, input);
  first.run(input, out1, {});
  second.run(input, out2, {});
  std::vector<char> state2;
  second.getState(state2, r);
  bool sameParams = first.controller && second.controller;
  for (int32 i = 0; sameParams && i < first.controller->getParameterCount(); ++i)
  {
    ParameterInfo pi{};
    first.controller->getParameterInfo(i, pi);
    sameParams = first.controller->getParamNormalized(pi.id) == second.controller->getParamNormalized(pi.id);
  }
  const bool same = out1 == out2;
  std::printf("out.hash: %016llx\n", static_cast<unsigned long long>(Hash(out1)));
  std::printf("state bytes equal: %s\nparameter objects equal: %s\noutput identical: %s\n",
              state == state2 ? "yes" : "no", sameParams ? "yes" : "no", same ? "yes" : "no");
  const bool ok = r == kResultOk && restored == kResultOk && state == state2 && sameParams && same;
  std::printf("state check: %s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}

// Runs one fresh instance over the signal with the given options.
bool RunFresh(ModuleLoader& loader, const RunOptions& run, const Audio& input, Audio& output)
{
  PluginInstance plug;
  std::string error;
  if (!CreateFirst(loader, plug))
    return false;
  if (!plug.start(run, error))
    return std::printf("error: %s\n", error.c_str()), false;
  plug.run(input, output, {{3, 0, 0.9}, {8, 0, 0.5}, {9, 0, 0.4}});
  return true;
}

// A 32-bit host gets the 64-bit result rounded to float, in place or not.
int CheckPrecision(ModuleLoader& loader, const Args& a)
{
  Audio input, out64, out32, out32InPlace, out64InPlace;
  GenerateSignal("noise", 2, 30000, a.run.rate, input);
  RunOptions run = a.run;
  run.use64 = true;
  if (!RunFresh(loader, run, input, out64))
    return 1;
  run.inPlace = true;
  if (!RunFresh(loader, run, input, out64InPlace))
    return 1;
  run.use64 = false;
  if (!RunFresh(loader, run, input, out32InPlace))
    return 1;
  run.inPlace = false;
  if (!RunFresh(loader, run, input, out32))
    return 1;
  long mismatches = 0;
  for (size_t c = 0; c < 2; ++c)
    for (size_t i = 0; i < out64[c].size(); ++i)
    {
      const double rounded = static_cast<float>(out64[c][i]);
      mismatches += out32[c][i] != rounded || out32InPlace[c][i] != rounded || out64InPlace[c][i] != out64[c][i];
    }
  std::printf("precision: %ld mismatches\n", mismatches);
  std::printf("precision check: %s\n", mismatches == 0 ? "PASS" : "FAIL");
  return mismatches == 0 ? 0 : 1;
}

// The same output whatever the block sizes within the announced maximum;
// blocks that exceed it are processed up to it and the host's frames past
// it (zeros here) are left alone.
int CheckBlocks(ModuleLoader& loader, const Args& a)
{
  Audio input, reference, output;
  GenerateSignal("noise", 2, 30000, a.run.rate, input);
  RunOptions run = a.run;
  run.block = 512;
  if (!RunFresh(loader, run, input, reference))
    return 1;
  const int sizes[][2] = {{37, 0}, {4096, 0}, {256, 4096}, {999, 1000}, {1, 0}, {4096, 256}, {1000, 999}};
  bool ok = true;
  for (const auto& size : sizes)
  {
    const int announced = size[1] ? size[1] : size[0];
    run.block = size[0];
    run.announce = size[1];
    run.inPlace = a.run.inPlace && announced >= size[0]; // past the maximum the host's zeros must stay
    if (!RunFresh(loader, run, input, output))
      return 1;
    bool good = true;
    if (announced >= size[0])
    {
      good = output == reference;
      std::printf("blocks %d (announced %d): %s\n", size[0], announced, good ? "same" : "different");
    }
    else
    {
      for (const std::vector<double>& channel : output)
        for (size_t i = 0; i < channel.size(); ++i)
          good = good && (static_cast<int>(i % static_cast<size_t>(size[0])) < announced ? std::isfinite(channel[i])
                                                                                         : channel[i] == 0.);
      std::printf("blocks %d (announced %d): %s\n", size[0], announced, good ? "cut" : "written past it");
    }
    ok = ok && good;
  }
  std::printf("blocks check: %s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}

// The editor through its view: what a host asks before opening it, then the
// window session.
int Editor(ModuleLoader& loader, const Args& a)
{
  PluginInstance plug;
  if (!CreateFirst(loader, plug))
    return 1;
  IPlugView* view = plug.controller ? plug.controller->createView("editor") : nullptr;
  std::printf("view: %s\n", view ? "yes" : "no");
  if (!view)
    return 1;
  std::printf("view.hwnd: %s\n", view->isPlatformTypeSupported(kPlatformTypeHWND) == kResultTrue ? "yes" : "no");
  ViewRect size{};
  view->getSize(&size);
  std::printf("view.size: %dx%d\n", size.getWidth(), size.getHeight());
  ViewRect small{10, 20, 110, 120};
  view->checkSizeConstraint(&small);
  std::printf("view.constraint(100x100): %dx%d at %d,%d\n", small.getWidth(), small.getHeight(), small.left, small.top);
  // As hosts do, the window the editor is shown in takes every size the
  // editor asks for.
  auto* frame = new PlugFrame();
  auto parentWindow = std::make_shared<void*>(nullptr);
  frame->resizeWindow = [parentWindow](int w, int h) { return hostaudio::ResizeHostWindow(*parentWindow, w, h); };
  view->setFrame(frame);
  hostaudio::EditorHooks hooks;
  hooks.open = [view, parentWindow](void* parent) {
    *parentWindow = parent;
    return view->attached(parent, kPlatformTypeHWND) == kResultOk;
  };
  hooks.close = [view] { return view->removed() == kResultOk; };
  hooks.paramEdits = [&plug] { return plug.handler->edits.size(); };
  hooks.play = [&plug](const std::string& signal) {
    RunOptions run;
    run.rate = 48000.;
    Audio input, output;
    std::string error;
    if (!hostaudio::GenerateSignal(signal, 2, 24000, run.rate, input) || !plug.start(run, error))
      return false;
    plug.run(input, output, {});
    return true;
  };
  hooks.scale = [view](double factor) { return SetViewContentScale(view, static_cast<float>(factor)); };
  hooks.size = [view] {
    ViewRect r{};
    view->getSize(&r);
    return std::make_pair(r.getWidth(), r.getHeight());
  };
  hooks.sizeRequests = [frame] {
    std::vector<std::pair<int, int>> sizes;
    for (const ViewRect& r : frame->resizes)
      sizes.emplace_back(r.getWidth(), r.getHeight());
    return sizes;
  };
  const bool ok =
    hostaudio::RunEditorSession(hooks, size.getWidth(), size.getHeight(), loader.moduleHandle(), a.editor);
  view->setFrame(nullptr);
  std::printf("view.resizes: %zu\n", frame->resizes.size());
  size_t refused = 0;
  for (tresult answer : frame->sizeAnswers)
    refused += answer != kResultTrue;
  std::printf("view.onSize refused: %zu of %zu\n", refused, frame->sizeAnswers.size());
  frame->release();
  view->release();
  return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
  Args a;
  if (!ParseArgs(argc, argv, a))
  {
    std::fprintf(stderr,
                 "usage: vst3host scan|info|process|check-bypass|check-state|check-precision|check-blocks|editor "
                 "<module> [options]\n");
    return 2;
  }
  Audio input;
  double rate = 0.;
  if (a.command == "process")
  {
    std::string error;
    if (!hostaudio::LoadInput(a.input, input, rate, error))
    {
      std::fprintf(stderr, "error: %s\n", error.c_str());
      return 1;
    }
  }
  int rc = 2;
  {
    ModuleLoader loader;
    if (!loader.load(a.module))
      return std::printf("error: %s\n", loader.error().c_str()), 1;
    std::printf("module: loaded\n");
    if (a.command == "scan")
      rc = Scan(loader);
    else if (a.command == "info")
      rc = Info(loader, a);
    else if (a.command == "process")
      rc = Process(loader, a, input, rate);
    else if (a.command == "check-bypass")
      rc = CheckBypass(loader, a);
    else if (a.command == "check-state")
      rc = CheckState(loader, a);
    else if (a.command == "check-precision")
      rc = CheckPrecision(loader, a);
    else if (a.command == "check-blocks")
      rc = CheckBlocks(loader, a);
    else if (a.command == "editor")
      rc = Editor(loader, a);
  }
  std::fflush(stdout);
  return rc;
}
