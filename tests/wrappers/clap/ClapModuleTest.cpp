// The built Murkwisp.clap loaded and checked the way a CLAP host would:
// entry and factory, instances through their whole life, processing at two
// rates in both sample widths, parameters, state, hosts with fewer
// extensions, and the host's thread and call-order rules throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "claphost/BlockRunner.h"
#include "claphost/ClapModuleLoader.h"
#include "claphost/HostedPlugin.h"
#include "claphost/Report.h"

namespace {

using claphost::HostedPlugin;
using claphost::InputEvents;
using claphost::kPluginId;
using claphost::OutputEvents;
using claphost::RunResult;
using claphost::Signal;
using claphost::TestHost;
using claphost::TestHostOptions;

constexpr double kPi = 3.14159265358979323846;

bool HasLog(const TestHost& host, const std::string& text)
{
  const std::vector<claphost::LogLine> logs = host.Logs();
  return std::any_of(logs.begin(), logs.end(),
                     [&](const claphost::LogLine& line) { return line.text.find(text) != std::string::npos; });
}

Signal MakeSignal(size_t frames, double rate)
{
  Signal s;
  uint32_t seed = 0x1234567u;
  for (int c = 0; c < 2; ++c)
    s.ch[c].resize(frames);
  for (size_t i = 0; i < frames; ++i)
  {
    seed = seed * 1664525u + 1013904223u;
    const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.1;
    const double t = static_cast<double>(i) / rate;
    s.ch[0][i] = static_cast<float>(0.4 * std::sin(2.0 * kPi * 220.0 * t) + noise);
    s.ch[1][i] = static_cast<float>(0.3 * std::sin(2.0 * kPi * 331.0 * t) - noise);
  }
  return s;
}

double MaxDifference(const RunResult& a, const RunResult& b)
{
  double worst = 0.0;
  for (int c = 0; c < 2; ++c)
    for (size_t i = 0; i < a.out[c].size() && i < b.out[c].size(); ++i)
      worst = std::max(worst, std::fabs(a.out[c][i] - b.out[c][i]));
  return worst;
}

double Energy(const RunResult& a)
{
  double e = 0.0;
  for (int c = 0; c < 2; ++c)
    for (double v : a.out[c])
      e += v * v;
  return e;
}

void ExpectHostRulesKept(const TestHost& host)
{
  for (const std::string& v : host.Violations())
    ADD_FAILURE() << v;
}

// Loaded once, and loaded it stays (as in most hosts).
claphost::ClapModuleLoader& Module()
{
  static claphost::ClapModuleLoader module;
  if (!module.Entry())
    module.Load(MURKWISP_CLAP_MODULE);
  return module;
}

// Each test inits the entry and deinits it again (the entry counts), so
// every test starts from a module no host has initialised.
class ClapModule : public ::testing::Test
{
protected:
  void SetUp() override
  {
    entry = Module().Entry();
    ASSERT_NE(entry, nullptr) << Module().Error();
    ASSERT_TRUE(entry->init(Module().Path().c_str()));
    factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
    ASSERT_NE(factory, nullptr);
  }
  void TearDown() override
  {
    if (factory)
      entry->deinit();
  }

  std::unique_ptr<HostedPlugin> Create(TestHost& host)
  {
    return std::make_unique<HostedPlugin>(factory, host, kPluginId);
  }

  const clap_plugin_entry_t* entry = nullptr;
  const clap_plugin_factory_t* factory = nullptr;
};

TEST(ClapModuleEntry, ExportsTheEntryAndAFactoryThatCountsItsInits)
{
  claphost::ClapModuleLoader& module = Module();
  const clap_plugin_entry_t* entry = module.Entry();
  ASSERT_NE(entry, nullptr) << module.Error();
  EXPECT_EQ(entry->clap_version.major, 1u);
  EXPECT_EQ(entry->clap_version.minor, 2u);
  EXPECT_EQ(entry->clap_version.revision, 7u);
  const auto* exported = static_cast<const clap_plugin_factory_t*>(module.Symbol("clap_factory"));
  ASSERT_NE(exported, nullptr);
  {
    // Reached before init, the exported factory has nothing to create yet.
    TestHost host;
    EXPECT_EQ(exported->create_plugin(exported, host.Clap(), kPluginId), nullptr);
    EXPECT_EQ(exported->get_plugin_descriptor(exported, 0), nullptr);
  }
  EXPECT_FALSE(entry->init(nullptr));
  ASSERT_TRUE(entry->init(module.Path().c_str()));
  ASSERT_TRUE(entry->init(module.Path().c_str())); // counted
  const auto* factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
  EXPECT_EQ(factory, exported);
  EXPECT_EQ(entry->get_factory("clap.plugin-factory "), nullptr);
  EXPECT_EQ(entry->get_factory(nullptr), nullptr);

  EXPECT_EQ(exported->get_plugin_count(exported), 1u);
  EXPECT_EQ(exported->get_plugin_descriptor(exported, 1), nullptr);
  const clap_plugin_descriptor_t* d = exported->get_plugin_descriptor(exported, 0);
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(clap_version_is_compatible(d->clap_version));
  EXPECT_STREQ(d->id, kPluginId);
  EXPECT_STREQ(d->name, "Murkwisp");
  EXPECT_STREQ(d->vendor, "Tarnhollow Audio - Korvane");
  EXPECT_STREQ(d->version, "0.9.2");
  ASSERT_NE(d->features, nullptr);
  EXPECT_STREQ(d->features[0], "audio-effect");
  EXPECT_STREQ(d->features[1], "stereo");
  EXPECT_EQ(d->features[2], nullptr);
  {
    TestHost host;
    EXPECT_EQ(exported->create_plugin(exported, host.Clap(), "com.Tarnhollow - Korvane.Murkwis"), nullptr);
    EXPECT_EQ(exported->create_plugin(exported, host.Clap(), nullptr), nullptr);
  }

  // The first of two deinits leaves the factory usable; the second ends it.
  entry->deinit();
  {
    TestHost host;
    HostedPlugin p(exported, host, kPluginId);
    EXPECT_TRUE(p.Valid());
  }
  entry->deinit();
  TestHost host;
  EXPECT_EQ(exported->create_plugin(exported, host.Clap(), kPluginId), nullptr);
  EXPECT_EQ(exported->get_plugin_descriptor(exported, 0), nullptr);

  // Init, create, process, destroy and deinit, over and over.
  for (int round = 0; round < 3; ++round)
  {
    SCOPED_TRACE(round);
    ASSERT_TRUE(entry->init(module.Path().c_str()));
    TestHost cycleHost;
    HostedPlugin p(exported, cycleHost, kPluginId);
    ASSERT_TRUE(p.Valid() && p.Init() && p.Activate(44100.0, 1, 64));
    EXPECT_EQ(claphost::Run(p, MakeSignal(300, 44100.0), round % 2 == 1, {64, 13}, nullptr, nullptr).errors, 0);
    p.Destroy();
    ExpectHostRulesKept(cycleHost);
    entry->deinit();
  }
}

TEST_F(ClapModule, AnInstanceOffersItsExtensionsParametersAndPorts)
{
  TestHost host;
  std::unique_ptr<HostedPlugin> p = Create(host);
  ASSERT_TRUE(p->Valid() && p->Init());
  const clap_plugin_t* plugin = p->Clap();
  EXPECT_EQ(plugin->desc, factory->get_plugin_descriptor(factory, 0));
  for (const char* id : {CLAP_EXT_STATE, CLAP_EXT_RENDER, CLAP_EXT_LATENCY, CLAP_EXT_TAIL, CLAP_EXT_PARAMS,
                         CLAP_EXT_AUDIO_PORTS, CLAP_EXT_AUDIO_PORTS_CONFIG, CLAP_EXT_GUI})
    EXPECT_NE(p->Extension(id), nullptr) << id;
  for (const char* id : {CLAP_EXT_NOTE_PORTS, CLAP_EXT_STATE_CONTEXT, "clap.unknown"})
    EXPECT_EQ(p->Extension(id), nullptr) << id;

  const auto* render = p->Ext<clap_plugin_render_t>(CLAP_EXT_RENDER);
  ASSERT_NE(render, nullptr);
  EXPECT_FALSE(render->has_hard_realtime_requirement(plugin));
  EXPECT_TRUE(render->set(plugin, CLAP_RENDER_OFFLINE));
  EXPECT_TRUE(render->set(plugin, CLAP_RENDER_REALTIME));
  EXPECT_FALSE(render->set(plugin, 2));
  EXPECT_TRUE(HasLog(host, "unknown mode : 2"));

  // Every parameter answers, and its text reads back as its value.
  const auto* params = p->Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  ASSERT_NE(params, nullptr);
  const uint32_t count = params->count(plugin);
  EXPECT_EQ(count, 13u);
  for (uint32_t i = 0; i < count; ++i)
  {
    SCOPED_TRACE(i);
    clap_param_info_t info{};
    ASSERT_TRUE(params->get_info(plugin, i, &info));
    EXPECT_EQ(info.id, i);
    EXPECT_NE(info.name[0], '\0');
    EXPECT_TRUE(info.flags & CLAP_PARAM_REQUIRES_PROCESS);
    EXPECT_LE(info.min_value, info.default_value);
    EXPECT_LE(info.default_value, info.max_value);
    double v = 0.0, back = -1.0;
    char text[64];
    ASSERT_TRUE(params->get_value(plugin, info.id, &v));
    ASSERT_TRUE(params->value_to_text(plugin, info.id, v, text, sizeof(text)));
    EXPECT_NE(text[0], '\0');
    ASSERT_TRUE(params->text_to_value(plugin, info.id, text, &back)) << text;
    EXPECT_NEAR(back, v, 0.02) << text;
  }
  clap_param_info_t info{};
  double v = 0.0;
  char text[64];
  EXPECT_FALSE(params->get_info(plugin, count, &info));
  EXPECT_FALSE(params->get_value(plugin, count, &v));
  EXPECT_FALSE(params->value_to_text(plugin, count, 0.5, text, sizeof(text)));
  EXPECT_FALSE(params->value_to_text(plugin, 0, 0.5, text, 2));
  EXPECT_TRUE(params->text_to_value(plugin, 5, "Tritone", &v));
  EXPECT_EQ(v, 6.0);
  // A double parameter normalised and automatable, an enum stepped in plain units.
  ASSERT_TRUE(params->get_info(plugin, 0, &info));
  EXPECT_EQ(info.flags, 0x8020u);
  EXPECT_EQ(info.min_value, 0.0);
  EXPECT_EQ(info.max_value, 1.0);
  ASSERT_TRUE(params->get_info(plugin, 4, &info));
  EXPECT_EQ(info.flags, 0x8021u);
  EXPECT_EQ(info.max_value, 4.0);

  const auto* ports = p->Ext<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
  ASSERT_NE(ports, nullptr);
  EXPECT_EQ(ports->count(plugin, true), 1u);
  EXPECT_EQ(ports->count(plugin, false), 1u);
  clap_audio_port_info_t port{};
  ASSERT_TRUE(ports->get(plugin, 0, true, &port));
  EXPECT_EQ(port.channel_count, 2u);
  EXPECT_STREQ(port.port_type, CLAP_PORT_STEREO);
  EXPECT_EQ(port.flags, 15u); // main, 64-bit capable
  EXPECT_EQ(port.in_place_pair, CLAP_INVALID_ID);
  ASSERT_TRUE(ports->get(plugin, 0, false, &port));
  EXPECT_EQ(port.channel_count, 2u);
  EXPECT_FALSE(ports->get(plugin, 1, true, &port));

  const auto* configs = p->Ext<clap_plugin_audio_ports_config_t>(CLAP_EXT_AUDIO_PORTS_CONFIG);
  ASSERT_NE(configs, nullptr);
  clap_audio_ports_config_t config{};
  EXPECT_EQ(configs->count(plugin), 1u);
  ASSERT_TRUE(configs->get(plugin, 0, &config));
  EXPECT_STREQ(config.name, "2-2");
  EXPECT_TRUE(config.has_main_input && config.has_main_output);
  EXPECT_EQ(config.main_input_channel_count, 2u);
  EXPECT_EQ(config.main_output_channel_count, 2u);
  EXPECT_FALSE(configs->get(plugin, 1, &config));
  EXPECT_TRUE(configs->select(plugin, 0));
  EXPECT_FALSE(configs->select(plugin, 1));
  p.reset();
  ExpectHostRulesKept(host);
}

TEST_F(ClapModule, AnInstanceProcessesOddBlocksAndOnlyWhatIsABlock)
{
  TestHost host;
  std::unique_ptr<HostedPlugin> p = Create(host);
  ASSERT_TRUE(p->Valid() && p->Init());
  ASSERT_TRUE(p->Activate(44100.0, 1, 1024));
  EXPECT_GE(host.latencyChanged, 1);
  const auto* latency = p->Ext<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
  ASSERT_NE(latency, nullptr);
  EXPECT_EQ(latency->get(p->Clap()), 4096u);
  EXPECT_NE(p->Ext<clap_plugin_tail_t>(CLAP_EXT_TAIL), nullptr);

  InputEvents first;
  first.AddParamValue(0, 12, 0.5);          // Mix 50 %
  first.AddParamValue(3, 99, 0.5);          // unknown id: ignored
  first.AddParamValue(5, 12, std::nan("")); // not a number: ignored
  first.AddNoteOn(7, -1, 60, 1.0);          // wildcard channel: skipped
  OutputEvents out;
  const RunResult run =
    claphost::Run(*p, MakeSignal(12000, 44100.0), false, {1, 17, 333, 1023, 511, 64, 1024, 2}, &first, &out);
  EXPECT_EQ(run.errors, 0);
  EXPECT_TRUE(run.finite);
  EXPECT_GT(Energy(run), 1e-6);
  double mix = -1.0;
  EXPECT_TRUE(p->GetParamValue(12, mix));
  EXPECT_NEAR(mix, 0.5, 1e-12);
  EXPECT_TRUE(out.Problems().empty()) << out.Problems().front();

  // A block longer than the activated maximum, and a host passing no event lists.
  host.RunOnAudioThread([&] {
    p->StartProcessing();
    std::vector<float> buf[2] = {std::vector<float>(2048, 0.f), std::vector<float>(2048, 0.f)};
    float* io[2] = {buf[0].data(), buf[1].data()};
    std::fill(buf[0].begin() + 1024, buf[0].end(), 0.25f);
    std::fill(buf[1].begin() + 1024, buf[1].end(), 0.25f);
    EXPECT_NE(p->Process32(io, 2, io, 2, 2048, nullptr, nullptr), CLAP_PROCESS_ERROR);
    EXPECT_EQ(std::count(buf[0].begin() + 1024, buf[0].end(), 0.25f), 1024);
    EXPECT_EQ(std::count(buf[1].begin() + 1024, buf[1].end(), 0.25f), 1024);
    EXPECT_NE(p->Process32(io, 2, io, 2, 256, nullptr, nullptr), CLAP_PROCESS_ERROR);
    float* missing[2] = {buf[0].data(), nullptr};
    EXPECT_EQ(p->Process32(missing, 2, io, 2, 64, nullptr, nullptr), CLAP_PROCESS_ERROR);
    p->Reset();
    p->StopProcessing();
  });
  p->PumpMainThread();

  // Again at 96 kHz in 64-bit.
  p->Deactivate();
  ASSERT_TRUE(p->Activate(96000.0, 1, 512));
  const RunResult run64 =
    claphost::Run(*p, MakeSignal(12000, 96000.0), true, {7, 129, 512, 311, 1, 500}, nullptr, nullptr);
  EXPECT_EQ(run64.errors, 0);
  EXPECT_TRUE(run64.finite);
  p->PumpMainThread();
  p.reset();
  ExpectHostRulesKept(host);
}

TEST_F(ClapModule, AStateMakesAnotherInstanceSoundTheSame)
{
  // Only instances with the same history can be compared sample for sample
  // (the engine's noise sequence runs on across resets): neither has
  // processed before.
  TestHost sourceHost, loadedHost, narrowHost;
  std::unique_ptr<HostedPlugin> source = Create(sourceHost);
  ASSERT_TRUE(source->Valid() && source->Init());
  const auto* params = source->Ext<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  ASSERT_NE(params, nullptr);
  InputEvents changes;
  changes.AddParamValue(0, 12, 0.8); // Mix 80 %
  changes.AddParamValue(0, 4, 3.0);  // Octave +1 (plain units)
  changes.AddParamValue(0, 5, 7.0);  // Interval: perfect fifth
  changes.AddParamValue(0, 9, 0.4);  // Whisper 40 %
  OutputEvents none;
  params->flush(source->Clap(), changes.Clap(), none.Clap());
  double octave = 0.0;
  EXPECT_TRUE(source->GetParamValue(4, octave));
  EXPECT_EQ(octave, 3.0);
  std::vector<uint8_t> state;
  ASSERT_TRUE(source->SaveState(state, 7)); // a host taking 7 bytes per write
  EXPECT_EQ(state.size(), 104u);

  std::unique_ptr<HostedPlugin> loaded = Create(loadedHost);
  ASSERT_TRUE(loaded->Valid() && loaded->Init());
  const std::vector<double> before = loaded->AllParamValues();
  EXPECT_FALSE(loaded->LoadState(std::vector<uint8_t>(state.begin(), state.begin() + 100), 64));
  EXPECT_EQ(loaded->AllParamValues(), before);
  EXPECT_FALSE(loaded->LoadState(std::vector<uint8_t>()));
  ASSERT_TRUE(loaded->LoadState(state, 1));
  EXPECT_EQ(loaded->AllParamValues(), source->AllParamValues());

  const Signal signal = MakeSignal(12000, 96000.0);
  ASSERT_TRUE(source->Activate(96000.0, 1, 512));
  ASSERT_TRUE(loaded->Activate(96000.0, 1, 512));
  const RunResult fromSource = claphost::Run(*source, signal, true, {7, 129, 512, 311, 1, 500}, nullptr, nullptr);
  const RunResult fromLoaded = claphost::Run(*loaded, signal, true, {512, 3, 255, 100}, nullptr, nullptr);
  EXPECT_EQ(fromSource.errors + fromLoaded.errors, 0);
  EXPECT_TRUE(fromSource.finite && fromLoaded.finite);
  EXPECT_GT(Energy(fromSource), 1e-6);
  EXPECT_EQ(MaxDifference(fromSource, fromLoaded), 0.0);

  // The same state in 32-bit.
  std::unique_ptr<HostedPlugin> narrow = Create(narrowHost);
  ASSERT_TRUE(narrow->Valid() && narrow->Init());
  ASSERT_TRUE(narrow->LoadState(state));
  ASSERT_TRUE(narrow->Activate(96000.0, 1, 512));
  EXPECT_LT(
    MaxDifference(fromSource, claphost::Run(*narrow, signal, false, {7, 129, 512, 311, 1, 500}, nullptr, nullptr)),
    1e-5);

  for (HostedPlugin* p : {source.get(), loaded.get(), narrow.get()})
    p->PumpMainThread();
  source.reset();
  loaded.reset();
  narrow.reset();
  for (const TestHost* host : {&sourceHost, &loadedHost, &narrowHost})
    ExpectHostRulesKept(*host);
}

TEST_F(ClapModule, HostsWithFewerExtensionsGetAWorkingPlugin)
{
  {
    SCOPED_TRACE("no extensions, no name");
    TestHostOptions bare;
    bare.nullGetExtension = true;
    bare.name = nullptr;
    bare.version = nullptr;
    TestHost host(bare);
    HostedPlugin p(factory, host, kPluginId);
    ASSERT_TRUE(p.Valid() && p.Init() && p.Activate(48000.0, 32, 256));
    const RunResult run = claphost::Run(p, MakeSignal(2000, 48000.0), false, {256, 31}, nullptr, nullptr);
    EXPECT_EQ(run.errors, 0);
    EXPECT_TRUE(run.finite);
    p.Destroy();
    ExpectHostRulesKept(host);
  }
  {
    SCOPED_TRACE("incomplete extensions");
    TestHostOptions opts;
    opts.latencyHasChanged = false;
    opts.offerTrackInfo = true;
    opts.trackInfoHasGet = false;
    TestHost host(opts);
    HostedPlugin p(factory, host, kPluginId);
    ASSERT_TRUE(p.Valid() && p.Init() && p.Activate(44100.0, 1, 128));
    EXPECT_TRUE(HasLog(host, "clap_host_track_info is partially implemented"));
    EXPECT_TRUE(HasLog(host, "clap_host_latency is partially implemented"));
    p.Destroy();
    ExpectHostRulesKept(host);
  }
  {
    SCOPED_TRACE("draft track info");
    TestHostOptions opts;
    opts.offerTrackInfo = true;
    opts.trackInfoDraftIdOnly = true;
    opts.trackInfoHasChannels = false;
    TestHost host(opts);
    HostedPlugin p(factory, host, kPluginId);
    ASSERT_TRUE(p.Valid() && p.Init());
    EXPECT_EQ(host.trackInfoQueries, 1);
    const auto* ports = p.Ext<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    ASSERT_NE(ports, nullptr);
    EXPECT_EQ(ports->count(p.Clap(), true), 1u); // a track without channel info changes nothing
    p.Destroy();
    ExpectHostRulesKept(host);
  }
}

} // namespace
