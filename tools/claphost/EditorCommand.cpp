#include "claphost/EditorCommand.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "claphost/ClapModuleLoader.h"
#include "claphost/HostedPlugin.h"
#include "claphost/ProcessCommand.h"
#include "claphost/Report.h"
#include "hostaudio/EditorSession.h"

namespace claphost {

namespace {

constexpr uint32_t kWidth = 1200, kHeight = 800;

void CheckGuiAnswers(Report& r, const clap_plugin_gui_t& gui, const clap_plugin_t* p)
{
  r.Check(gui.is_api_supported(p, CLAP_WINDOW_API_WIN32, false), "gui supports an embedded win32 window");
  r.Check(!gui.is_api_supported(p, CLAP_WINDOW_API_WIN32, true), "gui refuses a floating window");
  r.Check(!gui.is_api_supported(p, "x11", false) && !gui.is_api_supported(p, "cocoa", false),
          "gui refuses other window apis");
  const char* api = nullptr;
  bool floating = false;
  r.Check(!gui.get_preferred_api(p, &api, &floating), "gui names no preferred api");
  r.Check(gui.create(p, CLAP_WINDOW_API_WIN32, false), "gui create");
  r.Check(gui.set_scale(p, 1.0), "gui set_scale(1) before the window");
  uint32_t w = 0, h = 0;
  bool ok = gui.get_size(p, &w, &h);
  r.Check(ok && w == kWidth && h == kHeight, "gui size 1200 x 800", std::to_string(w) + " x " + std::to_string(h));
  r.Check(!gui.can_resize(p), "the host cannot resize the editor");
  clap_gui_resize_hints_t hints{};
  r.Check(!gui.get_resize_hints(p, &hints), "no resize hints");
  w = 100, h = 5000;
  ok = gui.adjust_size(p, &w, &h);
  r.Check(ok && w == 400 && h == 2400, "adjust_size(100, 5000) gives 400 x 2400",
          std::to_string(w) + " x " + std::to_string(h));
}

// With the window open the host scales it: the editor takes the new size,
// asks the host once for it, and returns to 1200 x 800 at scale 1.
void CheckScaleWhileOpen(Report& r, HostedPlugin& p, const clap_plugin_gui_t& gui)
{
  TestHost& host = p.Host();
  const int requests = host.resizeRequests;
  uint32_t w = 0, h = 0;
  const bool scaled = gui.set_scale(p.Clap(), 2.0) && gui.get_size(p.Clap(), &w, &h);
  r.Check(scaled && w == 2 * kWidth && h == 2 * kHeight, "gui size 2400 x 1600 at scale 2",
          std::to_string(w) + " x " + std::to_string(h));
  r.Check(host.resizeRequests == requests + 1 && host.lastResizeWidth == 2 * kWidth &&
            host.lastResizeHeight == 2 * kHeight,
          "the host is asked once for 2400 x 1600");
  const bool back = gui.set_scale(p.Clap(), 1.0) && gui.get_size(p.Clap(), &w, &h);
  r.Check(back && w == kWidth && h == kHeight, "set_scale(1) returns to 1200 x 800");
}

// The editor's size requests as hosts take them: the window the editor is
// shown in takes the size, then set_size tells the plug-in (inside the
// request). What was asked and what set_size refused are kept.
struct ResizeLog
{
  void* window = nullptr;
  std::vector<std::pair<int, int>> asked;
  int told = 0;
  int refused = 0;
};

void TakeResizeRequests(HostedPlugin& p, const clap_plugin_gui_t& gui, ResizeLog& log)
{
  p.Host().onResizeRequest = [&p, &gui, &log](uint32_t w, uint32_t h) {
    log.asked.emplace_back(static_cast<int>(w), static_cast<int>(h));
    if (!hostaudio::ResizeHostWindow(log.window, static_cast<int>(w), static_cast<int>(h)))
      return false;
    ++log.told;
    log.refused += !gui.set_size(p.Clap(), w, h);
    return true;
  };
}

// The editor session's open and close in the gui's terms: the first opening
// is set_parent (then show, as hosts do), later ones show in the same
// parent; closing is hide, but the last closing destroys the gui, so that
// the session's check of the window class covers destroy.
hostaudio::EditorHooks MakeHooks(Report& r, HostedPlugin& p, const clap_plugin_gui_t& gui, int closings,
                                 OutputEvents& flushed, ResizeLog& resizes)
{
  auto parented = std::make_shared<bool>(false);
  auto closed = std::make_shared<int>(0);
  hostaudio::EditorHooks hooks;
  hooks.open = [&r, &p, &gui, parented, &resizes](void* parent) {
    if (*parented)
      return gui.show(p.Clap());
    resizes.window = parent;
    const clap_window_t window{CLAP_WINDOW_API_WIN32, {parent}};
    if (!gui.set_parent(p.Clap(), &window))
      return false;
    *parented = true;
    r.Check(gui.show(p.Clap()), "show right after set_parent reports it shown");
    CheckScaleWhileOpen(r, p, gui);
    return true;
  };
  hooks.close = [&p, &gui, closed, closings] {
    if (++*closed < closings)
      return gui.hide(p.Clap());
    gui.destroy(p.Clap());
    return true;
  };
  // Edits made in the editor reach the host through params.flush.
  hooks.paramEdits = [&p, &flushed] {
    p.PumpMainThread(&flushed);
    size_t values = 0;
    for (const OutputEvents::Event& e : flushed.Events())
      values += e.header.type == CLAP_EVENT_PARAM_VALUE;
    return values;
  };
  // Half a second at 48 kHz through the plug-in on the host's audio thread:
  // the meters and the background follow the level.
  hooks.play = [&p](const std::string& kind) {
    hostaudio::Audio audio;
    Signal signal;
    if (!hostaudio::GenerateSignal(kind, 2, 24000, 48000.0, audio))
      return false;
    ToSignal(audio, signal);
    if (!p.IsActive() && !p.Activate(48000.0, 1, 512))
      return false;
    return Run(p, signal, false, {512}, nullptr, nullptr).errors == 0;
  };
  hooks.scale = [&p, &gui](double factor) { return gui.set_scale(p.Clap(), factor); };
  hooks.size = [&p, &gui] {
    uint32_t w = 0, h = 0;
    gui.get_size(p.Clap(), &w, &h);
    return std::make_pair(static_cast<int>(w), static_cast<int>(h));
  };
  hooks.sizeRequests = [&resizes] { return resizes.asked; };
  return hooks;
}

} // namespace

int RunEditorCommand(int argc, char** argv, std::ostream& out, std::ostream& err)
{
  hostaudio::EditorOptions options;
  bool argsOk = argc >= 3;
  for (int i = 3; argsOk && i < argc; i += 2)
    argsOk = i + 1 < argc && hostaudio::ParseEditorOption(argv[i], argv[i + 1], options);
  if (!argsOk)
  {
    err << "usage: claphost editor <module.clap> [--screenshot out.png] [--pixel x,y]... [--click x,y]\n"
           "       [--drag x,y,x2,y2] [--wheel x,y,delta] [--key vk] [--shot out.png] [--measure ms] [--reopen n]\n"
           "       [--play signal] [--scale factor]\n";
    return 100;
  }

  Report r(out);
  ClapModuleLoader module;
  if (!r.Check(module.Load(argv[2]), std::string("load module ") + argv[2], module.Error()))
    return r.Failures();
  const clap_plugin_entry_t* entry = module.Entry();
  if (!r.Check(entry->init(module.Path().c_str()), "entry init"))
    return r.Failures();
  const auto* factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
  {
    TestHost host;
    HostedPlugin p(factory, host, kPluginId);
    const auto* gui = p.Valid() && p.Init() ? p.Ext<clap_plugin_gui_t>(CLAP_EXT_GUI) : nullptr;
    if (r.Check(gui != nullptr, "plugin with the gui extension"))
    {
      CheckGuiAnswers(r, *gui, p.Clap());
#if !defined(_WIN32)
      // No editor window here: set_parent and show must say so.
      int someWindow = 0;
      const clap_window_t window{CLAP_WINDOW_API_WIN32, {&someWindow}};
      r.Check(!gui->set_parent(p.Clap(), &window) && !gui->show(p.Clap()),
              "set_parent and show report that no window could be opened");
#endif
      OutputEvents flushed;
      ResizeLog resizes;
      TakeResizeRequests(p, *gui, resizes);
      const hostaudio::EditorHooks hooks = MakeHooks(r, p, *gui, 1 + options.reopen, flushed, resizes);
      out.flush();
      const bool session = hostaudio::RunEditorSession(hooks, kWidth, kHeight, module.Handle(), options);
      p.Host().onResizeRequest = nullptr;
      out << "gui.set_size: " << resizes.told << " told\ngui.set_size refused: " << resizes.refused << "\n";
      r.Check(session, "editor session");
      r.Check(flushed.Problems().empty(), "the editor's parameter events are well formed");
    }
    p.Destroy();
    CheckHostRules(r, host, "editor");
  }
  entry->deinit();
  return r.Failures();
}

} // namespace claphost
