// The glue between the CLAP function tables and virtual methods, with a
// minimal plug-in: exceptions never reach the host, the safety checks on
// process, destroy of an active plug-in, main-thread tasks and logging.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "abi/clap/Plugin.h"
#include "claphost/TestHost.h"

namespace {

using claphost::TestHost;
using claphost::TestHostOptions;

clap_plugin_descriptor_t TestDescriptor()
{
  clap_plugin_descriptor_t d{};
  d.clap_version = CLAP_VERSION_INIT;
  d.id = "test.glue";
  d.name = "Glue";
  return d;
}

class FakePlugin : public clap::helpers::Plugin<0, 0>
{
public:
  FakePlugin(const clap_plugin_descriptor_t* desc, const clap_host_t* host, std::vector<std::string>* calls)
    : Plugin(desc, host), mCalls(calls) {}
  ~FakePlugin() override { mCalls->push_back("~"); }

  bool throwInInit = false;
  bool throwInActivate = false;
  bool throwInState = false;

  using Plugin::RunOnMainThread;

protected:
  bool Init() override
  {
    mCalls->push_back("init");
    if (throwInInit)
      throw std::runtime_error("init");
    return true;
  }
  bool Activate(double, uint32_t, uint32_t) override
  {
    mCalls->push_back("activate");
    if (throwInActivate)
      throw std::bad_alloc();
    return true;
  }
  void Deactivate() override { mCalls->push_back("deactivate"); }
  clap_process_status Process(const clap_process_t* process) noexcept override
  {
    mCalls->push_back("process " + std::to_string(process->frames_count));
    return CLAP_PROCESS_CONTINUE;
  }
  bool SupportsState() const override { return true; }
  bool StateSave(const clap_ostream_t*) override
  {
    if (throwInState)
      throw std::runtime_error("state");
    return true;
  }
  bool SupportsRender() const override { return true; }
  bool RenderSet(clap_plugin_render_mode) override { return true; }
  void OnMainThread() override { mCalls->push_back("main"); }

private:
  std::vector<std::string>* mCalls;
};

struct GlueFixture : ::testing::Test
{
  // A plug-in the host has initialised; the test destroys it through its record.
  template <class P = FakePlugin>
  P* MakeInitialised()
  {
    auto* p = new P(&desc, host.Clap(), &calls);
    host.SetInitCalled(true);
    EXPECT_TRUE(p->ClapPlugin()->init(p->ClapPlugin()));
    return p;
  }

  clap_plugin_descriptor_t desc = TestDescriptor();
  std::vector<std::string> calls;
  TestHost host;
};

int64_t CLAP_ABI WriteAll(const clap_ostream_t*, const void*, uint64_t size) { return static_cast<int64_t>(size); }

TEST_F(GlueFixture, ExceptionsBecomeTheStandardFailureAnswers)
{
  auto* p = new FakePlugin(&desc, host.Clap(), &calls);
  const clap_plugin_t* plugin = p->ClapPlugin();
  p->throwInInit = true;
  host.SetInitCalled(true);
  EXPECT_FALSE(plugin->init(plugin));
  p->throwInActivate = true;
  EXPECT_FALSE(plugin->activate(plugin, 48000.0, 1, 64));
  EXPECT_FALSE(p->IsActivated());

  const auto* state = static_cast<const clap_plugin_state_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
  ASSERT_NE(state, nullptr);
  p->throwInState = true;
  clap_ostream_t stream{nullptr, WriteAll};
  EXPECT_FALSE(state->save(plugin, &stream));
  EXPECT_FALSE(state->save(plugin, nullptr));
  plugin->destroy(plugin);
  EXPECT_EQ(calls.back(), "~");
}

TEST_F(GlueFixture, ProcessNeedsActivationAndCutsBlocksToTheMaximum)
{
  auto* p = MakeInitialised();
  const clap_plugin_t* plugin = p->ClapPlugin();
  clap_process_t process{};
  process.frames_count = 32;
  EXPECT_EQ(plugin->process(plugin, &process), CLAP_PROCESS_ERROR);
  ASSERT_TRUE(plugin->activate(plugin, 48000.0, 1, 64));
  EXPECT_TRUE(p->IsActivated());
  EXPECT_EQ(p->ActiveSampleRate(), 48000.0);
  EXPECT_EQ(plugin->process(plugin, &process), CLAP_PROCESS_CONTINUE);
  // A longer block reaches the plug-in cut to the maximum; the host's record
  // stays as it was.
  process.frames_count = 1000;
  EXPECT_EQ(plugin->process(plugin, &process), CLAP_PROCESS_CONTINUE);
  EXPECT_EQ(process.frames_count, 1000u);
  EXPECT_EQ(plugin->process(plugin, nullptr), CLAP_PROCESS_ERROR);
  plugin->deactivate(plugin);
  EXPECT_FALSE(p->IsActivated());
  EXPECT_EQ(p->ActiveSampleRate(), 0.0);
  EXPECT_EQ(plugin->process(plugin, &process), CLAP_PROCESS_ERROR);
  plugin->destroy(plugin);
  const std::vector<std::string> processed(std::find(calls.begin(), calls.end(), "activate") + 1,
                                           std::find(calls.begin(), calls.end(), "deactivate"));
  EXPECT_EQ(processed, (std::vector<std::string>{"process 32", "process 64"}));
}

TEST_F(GlueFixture, DestroyOfAnActivePluginDeactivatesFirstAndLogs)
{
  auto* p = MakeInitialised();
  const clap_plugin_t* plugin = p->ClapPlugin();
  ASSERT_TRUE(plugin->activate(plugin, 44100.0, 1, 64));
  plugin->destroy(plugin);
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[calls.size() - 2], "deactivate");
  EXPECT_EQ(calls.back(), "~");
  ASSERT_FALSE(host.Logs().empty());
  EXPECT_EQ(host.Logs().back().severity, CLAP_LOG_HOST_MISBEHAVING);
}

TEST_F(GlueFixture, MainThreadTasksRunAtOnceOnlyWhenTheHostConfirmsTheThread)
{
  auto* p = MakeInitialised();
  const clap_plugin_t* plugin = p->ClapPlugin();
  int ran = 0;
  p->RunOnMainThread([&] { ++ran; });
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(host.callbackRequests, 0);

  host.RunOnAudioThread([&] { p->RunOnMainThread([&] { ++ran; }); });
  EXPECT_EQ(ran, 1);
  EXPECT_TRUE(host.TakeCallbackRequest());
  plugin->on_main_thread(plugin);
  EXPECT_EQ(ran, 2);
  EXPECT_EQ(calls.back(), "main");
  plugin->destroy(plugin);
}

// A host that answers request_callback by calling on_main_thread at once: the
// task lock must not be held while the host is asked.
struct EagerHost
{
  clap_host_t host{};
  const clap_plugin_t* plugin = nullptr;
  static void CLAP_ABI RequestCallback(const clap_host_t* h)
  {
    auto* self = static_cast<EagerHost*>(h->host_data);
    self->plugin->on_main_thread(self->plugin);
  }
};

TEST_F(GlueFixture, TaskLockIsReleasedBeforeTheHostIsAsked)
{
  EagerHost eager;
  eager.host.clap_version = CLAP_VERSION_INIT;
  eager.host.host_data = &eager;
  eager.host.name = "eager";
  eager.host.version = "1";
  eager.host.request_callback = EagerHost::RequestCallback;
  auto* p = new FakePlugin(&desc, &eager.host, &calls);
  eager.plugin = p->ClapPlugin();
  ASSERT_TRUE(eager.plugin->init(eager.plugin));
  int ran = 0;
  p->RunOnMainThread([&] { ++ran; });  // no thread check: always queued
  EXPECT_EQ(ran, 1);
  eager.plugin->destroy(eager.plugin);
}

TEST_F(GlueFixture, LogsGoToTheHostOrToStandardError)
{
  {
    TestHost host;
    FakePlugin p(&desc, host.Clap(), &calls);
    host.SetInitCalled(true);
    ASSERT_TRUE(p.ClapPlugin()->init(p.ClapPlugin()));
    testing::internal::CaptureStderr();
    p.Log(CLAP_LOG_ERROR, "to the host");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(host.Logs().size(), 1u);
    EXPECT_EQ(host.Logs()[0].text, "to the host");
  }
  {
    TestHostOptions opts;
    opts.nullGetExtension = true;
    TestHost host(opts);
    FakePlugin p(&desc, host.Clap(), &calls);
    ASSERT_TRUE(p.ClapPlugin()->init(p.ClapPlugin()));
    EXPECT_EQ(p.Host().log, nullptr);
    EXPECT_EQ(p.Host().threadCheck, nullptr);
    EXPECT_EQ(p.Host().params, nullptr);
    testing::internal::CaptureStderr();
    p.Log(CLAP_LOG_HOST_MISBEHAVING, "to stderr");
    p.Log(CLAP_LOG_INFO, "every severity");
    p.Log(CLAP_LOG_DEBUG, nullptr);
    p.Log(CLAP_LOG_WARNING, "one line each");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr\nevery severity\n\none line each\n");
  }
}

TEST_F(GlueFixture, ExtensionLookupAndRenderModeChecks)
{
  auto* p = MakeInitialised();
  const clap_plugin_t* plugin = p->ClapPlugin();
  EXPECT_EQ(plugin->get_extension(plugin, nullptr), nullptr);
  EXPECT_EQ(plugin->get_extension(plugin, CLAP_EXT_PARAMS), nullptr);
  EXPECT_EQ(plugin->get_extension(plugin, "clap.state "), nullptr);
  const auto* render = static_cast<const clap_plugin_render_t*>(plugin->get_extension(plugin, CLAP_EXT_RENDER));
  ASSERT_NE(render, nullptr);
  EXPECT_TRUE(render->set(plugin, CLAP_RENDER_OFFLINE));
  EXPECT_FALSE(render->set(plugin, 7));
  ASSERT_FALSE(host.Logs().empty());
  EXPECT_EQ(host.Logs().back().text, "host called clap_plugin_render.set_mode with an unknown mode : 7");
  plugin->destroy(plugin);
}

class ExtendedPlugin : public FakePlugin
{
public:
  using FakePlugin::FakePlugin;
  bool offerDrafts = false;
  bool stateContext = true;
  int saves = 0;

protected:
  bool OffersDraftExtensions() const override { return offerDrafts; }
  bool SupportsStateContext() const override { return stateContext; }
  bool StateSave(const clap_ostream_t*) override
  {
    ++saves;
    return true;
  }
  bool SupportsUndoContext() const override { return true; }
  bool SupportsVoiceInfo() const override { return true; }
};

TEST_F(GlueFixture, OtherExtensionsNeedTheirQueriesAndDraftsNeedTheDraftSwitch)
{
  auto* p = MakeInitialised<ExtendedPlugin>();
  const clap_plugin_t* plugin = p->ClapPlugin();
  const auto* context =
    static_cast<const clap_plugin_state_context_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE_CONTEXT));
  ASSERT_NE(context, nullptr);
  clap_ostream_t stream{nullptr, WriteAll};
  EXPECT_TRUE(context->save(plugin, &stream, 2));
  EXPECT_EQ(p->saves, 1);  // the context save is the plain save
  EXPECT_FALSE(context->save(plugin, nullptr, 2));
  const auto* voice = static_cast<const clap_plugin_voice_info_t*>(plugin->get_extension(plugin, CLAP_EXT_VOICE_INFO));
  ASSERT_NE(voice, nullptr);
  clap_voice_info_t info{};
  EXPECT_FALSE(voice->get(plugin, &info));
  EXPECT_FALSE(voice->get(plugin, nullptr));

  EXPECT_EQ(plugin->get_extension(plugin, CLAP_EXT_UNDO_CONTEXT), nullptr);
  p->offerDrafts = true;
  EXPECT_NE(plugin->get_extension(plugin, CLAP_EXT_UNDO_CONTEXT), nullptr);
  EXPECT_EQ(plugin->get_extension(plugin, CLAP_EXT_WEBVIEW), nullptr);
  p->stateContext = false;
  EXPECT_EQ(plugin->get_extension(plugin, CLAP_EXT_STATE_CONTEXT), nullptr);
  plugin->destroy(plugin);
}

} // namespace
