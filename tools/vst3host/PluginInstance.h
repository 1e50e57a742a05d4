#pragma once
// One plug-in instance driven the way a VST3 host drives it: create,
// initialize, arrange buses, set up, activate, process blocks with
// parameter queues, save and restore state, shut down.
#include <string>
#include <vector>

#include "abi/vst3/Vst3AudioProcessor.h"
#include "abi/vst3/Vst3Component.h"
#include "abi/vst3/Vst3EditController.h"
#include "abi/vst3/Vst3PluginBase.h"
#include "hostaudio/AudioFiles.h"
#include "vst3host/HostObjects.h"

namespace vst3host {

using hostaudio::Audio;

struct ParamPoint
{
  ParamID id;
  long frame; // absolute frame of the run
  double value;
};

struct RunOptions
{
  double rate = 44100.;
  int block = 512;
  bool use64 = false;
  bool inPlace = false;
  // Maximum block size announced in setupProcessing (0: the block size);
  // blocks larger than it must still come out right.
  int announce = 0;
};

class PluginInstance
{
public:
  PluginInstance() = default;
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;
  ~PluginInstance() { shutdown(); }

  bool create(IPluginFactory* factory, const char* cid, std::string& error);
  bool initialize(std::string& error);
  // Stereo buses, buses activated, set-up, active and processing.
  bool start(const RunOptions& options, std::string& error);
  // Runs the input through in blocks; automation points go into parameter
  // queues of the block they fall in.
  void run(const Audio& input, Audio& output, const std::vector<ParamPoint>& automation);
  // A process call without samples: the automation points (frames taken as
  // offsets) only. The controller is told the last value of each, as hosts do.
  void flush(const std::vector<ParamPoint>& automation);
  void stop();
  void shutdown();

  bool getState(std::vector<char>& bytes, tresult& result);
  tresult setState(const std::vector<char>& bytes);

  IComponent* component = nullptr;
  IAudioProcessor* processor = nullptr;
  IEditController* controller = nullptr;
  HostApplication* app = nullptr;
  ComponentHandler* handler = nullptr;

private:
  RunOptions options;
  bool started = false;
  bool initialized = false;
};

} // namespace vst3host
