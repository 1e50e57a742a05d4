#include "claphost/ProcessCommand.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "claphost/BlockRunner.h"
#include "claphost/ClapModuleLoader.h"
#include "hostaudio/AudioFiles.h"
#include "hostaudio/ProcessInput.h"

namespace claphost {

namespace {

const char kPluginId[] = "com.Tarnhollow - Korvane.Murkwisp";

struct ParamSetting
{
  clap_id id = 0;
  double value = 0.0;
  long frame = 0;  // absolute frame of the run
};

struct ProcessArgs
{
  std::string module, output;
  hostaudio::InputOptions input;
  long block = 512;
  bool use64 = false;
  std::vector<ParamSetting> settings;
};

bool ParseProcessArgs(int argc, char** argv, ProcessArgs& a)
{
  if (argc < 3)
    return false;
  a.module = argv[2];
  for (int i = 3; i < argc; ++i)
  {
    const std::string opt = argv[i];
    if (opt == "--double")
    {
      a.use64 = true;
      continue;
    }
    if (i + 1 >= argc)
      return false;
    const char* v = argv[++i];
    if (opt == "--rate")
    {
      a.input.rate = std::atof(v);
      if (!(a.input.rate > 0.0))
        return false;
    }
    else if (opt == "--block")
      a.block = std::atol(v);
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
    else if (opt == "--set")
    {
      ParamSetting s;
      if (std::sscanf(v, "%u=%lf", &s.id, &s.value) != 2)
        return false;
      if (const char* at = std::strchr(v, '@'))
        s.frame = std::atol(at + 1);
      if (s.frame < 0)
        return false;
      a.settings.push_back(s);
    }
    else
      return false;
  }
  // A host hands events over in time order.
  std::stable_sort(a.settings.begin(), a.settings.end(),
                   [](const ParamSetting& x, const ParamSetting& y) { return x.frame < y.frame; });
  return a.block > 0 && a.block <= 65536 && a.input.frames >= 0;
}

} // namespace

void ToSignal(const hostaudio::Audio& audio, Signal& signal)
{
  for (size_t c = 0; c < 2; ++c)
  {
    const std::vector<double>& src = audio[c < audio.size() ? c : audio.size() - 1];
    signal.ch[c].assign(src.begin(), src.end());
  }
}

int RunProcessCommand(int argc, char** argv, std::ostream& report, std::ostream& errors)
{
  ProcessArgs a;
  if (!ParseProcessArgs(argc, argv, a))
    return report << "usage: claphost process <module> [--rate hz] [--block n] [--double] [--frames n] "
                     "[--signal kind] [--input in.wav] [--tail seconds] [--output out.wav] "
                     "[--set id=value[@frame]]...\n",
           2;
  // Read before the module is loaded: a file that cannot be used gives one
  // error line and nothing else.
  hostaudio::Audio audio;
  double rate = 0.0;
  std::string error;
  if (!hostaudio::LoadInput(a.input, audio, rate, error))
    return errors << "error: " << error << "\n", 1;

  ClapModuleLoader module;
  if (!module.Load(a.module))
    return report << "error: " << module.Error() << "\n", 1;
  const clap_plugin_entry_t* entry = module.Entry();
  if (!entry->init(module.Path().c_str()))
    return report << "error: entry init failed\n", 1;
  int rc = 0;
  {
    const auto* factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
    TestHost host;
    HostedPlugin plugin(factory, host, kPluginId);
    const uint32_t block = static_cast<uint32_t>(a.block);
    if (!plugin.Valid() || !plugin.Init() || !plugin.Activate(rate, 1, block))
    {
      report << "error: the plug-in could not be created, initialised and activated\n";
      rc = 1;
    }
    else
    {
      const auto* latencyExt = plugin.Ext<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
      const uint32_t latency = latencyExt ? latencyExt->get(plugin.Clap()) : 0u;
      hostaudio::AppendTail(a.input, static_cast<long>(latency), rate, audio);
      Signal signal;
      ToSignal(audio, signal);
      // Each setting goes with the block its frame falls in, at its offset there.
      InputEvents blockEvents;
      const BlockEvents eventsFor = [&](size_t pos, uint32_t frames) {
        blockEvents.Clear();
        for (const ParamSetting& s : a.settings)
        {
          const size_t frame = static_cast<size_t>(s.frame);
          if (frame >= pos && frame < pos + frames)
            blockEvents.AddParamValue(static_cast<uint32_t>(frame - pos), s.id, s.value);
        }
        return &blockEvents;
      };
      OutputEvents outEvents;
      const RunResult result = Run(plugin, signal, a.use64, {block}, eventsFor, &outEvents);
      report << "latency: " << latency << "\n";
      report << "rate: " << rate << "\n";
      report << "frames: " << signal.ch[0].size() << "\n";
      if (result.errors > 0)
      {
        report << "error: " << result.errors << " blocks failed\n";
        rc = 1;
      }
      if (!result.finite)
      {
        report << "error: the output is not finite\n";
        rc = 1;
      }
      for (const std::string& v : host.Violations())
      {
        report << "host rule broken: " << v << "\n";
        rc = 1;
      }
      const hostaudio::Audio output{result.out[0], result.out[1]};
      if (!a.output.empty() && !hostaudio::WriteWav(a.output, output, rate))
      {
        report << "error: cannot write " << a.output << "\n";
        rc = 1;
      }
    }
  }
  entry->deinit();
  return rc;
}

int RunMakeSignalCommand(int argc, char** argv, std::ostream& report)
{
  if (argc != 6)
    return report << "usage: claphost make-signal <sine|noise|impulse|silence> <frames> <rate> <out.wav>\n", 2;
  const long frames = std::atol(argv[3]);
  const double rate = std::atof(argv[4]);
  hostaudio::Audio audio;
  if (!hostaudio::GenerateSignal(argv[2], 2, frames, rate, audio))
    return report << "error: cannot make that signal\n", 1;
  if (!hostaudio::WriteWav(argv[5], audio, rate))
    return report << "error: cannot write " << argv[5] << "\n", 1;
  return 0;
}

} // namespace claphost
