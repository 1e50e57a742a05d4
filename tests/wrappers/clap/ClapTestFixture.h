#pragma once
// A Murkwisp instance built directly (as the factory would) and driven
// through its CLAP record by the test host.
#include <gtest/gtest.h>

#include <memory>

#include "claphost/HostedPlugin.h"
#include "claphost/TestHost.h"
#include "plugin/Murkwisp.h"
#include "plugin/MurkwispParams.h"
#include "wrappers/clap/IFxCLAP.h"

using namespace murkwisp;

using Murkwisp = murkwisp::MurkwispPlugin<ifx::IFxCLAP>;

namespace clap_tests {

inline clap_plugin_descriptor_t MurkwispTestDescriptor()
{
  clap_plugin_descriptor_t d{};
  d.clap_version = CLAP_VERSION_INIT;
  d.id = "com.Tarnhollow - Korvane.Murkwisp";
  d.name = "Murkwisp";
  return d;
}

struct MurkwispClapFixture : ::testing::Test
{
  explicit MurkwispClapFixture(claphost::TestHostOptions options = claphost::TestHostOptions())
    : host(options)
  {
  }

  void SetUp() override
  {
    plugin = new Murkwisp(ifx::InstanceInfo{&desc, host.Clap()});
    hosted = std::make_unique<claphost::HostedPlugin>(plugin->ClapPlugin(), host);
    ASSERT_TRUE(hosted->Init());
  }

  void TearDown() override
  {
    hosted.reset();
    EXPECT_TRUE(host.Violations().empty()) << host.Violations().front();
  }

  // Runs one block on the audio thread (processing started around it).
  clap_process_status ProcessBlock(uint32_t frames, const claphost::InputEvents* in, claphost::OutputEvents* out,
                                   float level = 0.f, const clap_event_transport_t* transport = nullptr)
  {
    clap_process_status status = CLAP_PROCESS_ERROR;
    host.RunOnAudioThread([&] {
      std::vector<float> l(frames, level), r(frames, level), ol(frames), orr(frames);
      float* ins[2] = {l.data(), r.data()};
      float* outs[2] = {ol.data(), orr.data()};
      const bool started = hosted->StartProcessing();
      status = hosted->Process32(ins, 2, outs, 2, frames, in, out, transport);
      if (started)
        hosted->StopProcessing();
    });
    return status;
  }

  clap_plugin_descriptor_t desc = MurkwispTestDescriptor();
  claphost::TestHost host;
  Murkwisp* plugin = nullptr;  // owned through its CLAP record
  std::unique_ptr<claphost::HostedPlugin> hosted;
};

} // namespace clap_tests
