// The real fetch: curl started through the process pipe against a feed that
// this test serves on 127.0.0.1.
#include "plugin/UpdateChecker.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <chrono>
#include <string>
#include <thread>

using namespace murkwisp;

using murkwisp::UpdateChecker;

namespace {

// Answers every request with one fixed response; stops when destroyed.
class LoopbackFeedServer
{
public:
  explicit LoopbackFeedServer(std::string response, bool answer = true)
    : mResponse(std::move(response)), mAnswer(answer)
  {
    mListen = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (mListen < 0 || bind(mListen, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0
        || listen(mListen, 8) != 0)
      return;
    socklen_t len = sizeof(addr);
    getsockname(mListen, reinterpret_cast<sockaddr*>(&addr), &len);
    mPort = ntohs(addr.sin_port);
    mThread = std::thread([this] { Serve(); });
  }

  ~LoopbackFeedServer()
  {
    mStop = true;
    if (mThread.joinable())
      mThread.join();
    if (mListen >= 0)
      close(mListen);
  }

  static std::string Ok(const std::string& body)
  {
    return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
           + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
  }

  std::string Url() const { return "http://127.0.0.1:" + std::to_string(mPort) + "/api/version.json"; }
  int Port() const { return mPort; }
  int Requests() const { return mRequests; }

private:
  void Serve()
  {
    // Bounded: at most 200 s of polling in steps of 100 ms.
    for (int round = 0; round < 2000 && !mStop; ++round)
    {
      pollfd p{mListen, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0)
        continue;
      const int conn = accept(mListen, nullptr, nullptr);
      if (conn < 0)
        continue;
      ++mRequests;
      std::string request;
      char buf[1024];
      while (request.find("\r\n\r\n") == std::string::npos)
      {
        pollfd c{conn, POLLIN, 0};
        if (poll(&c, 1, 2000) <= 0)
          break;
        const ssize_t got = recv(conn, buf, sizeof(buf), 0);
        if (got <= 0)
          break;
        request.append(buf, static_cast<size_t>(got));
      }
      if (mAnswer)
      {
        size_t sent = 0;
        while (sent < mResponse.size())
        {
          const ssize_t n = send(conn, mResponse.data() + sent, mResponse.size() - sent, MSG_NOSIGNAL);
          if (n <= 0)
            break;
          sent += static_cast<size_t>(n);
        }
      }
      else
      {
        // Hold the connection open without answering until curl gives up.
        for (int i = 0; i < 100 && !mStop; ++i)
        {
          pollfd c{conn, POLLIN, 0};
          if (poll(&c, 1, 100) > 0 && recv(conn, buf, sizeof(buf), 0) <= 0)
            break;
        }
      }
      close(conn);
    }
  }

  std::string mResponse;
  bool mAnswer;
  int mListen = -1;
  int mPort = 0;
  std::atomic<int> mRequests{0};
  std::atomic<bool> mStop{false};
  std::thread mThread;
};

// A proxy set in the environment must not take the loopback requests.
const bool gNoProxy = [] {
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  setenv("NO_PROXY", "127.0.0.1,localhost", 1);
  return true;
}();

int CheckAgainst(UpdateChecker& checker, const LoopbackFeedServer& server)
{
  checker.SetFeedUrl(server.Url().c_str());
  checker.CheckForUpdates(true);
  return checker.status;
}

} // namespace

TEST(UpdateFeedLoopback, ServedFeedsNewerSameOlder)
{
  struct Case { const char* version; int status; };
  const Case cases[] = {
    {"0.9.3", murkwisp::kUpdateAvailable}, {"0.9.2", murkwisp::kUpdateUpToDate}, {"0.8.9", murkwisp::kUpdateUpToDate},
    {"0.10.0", murkwisp::kUpdateAvailable}, {"1.0.0", murkwisp::kUpdateUpToDate},
  };
  for (const Case& c : cases)
  {
    const std::string body = std::string("{\"version\":\"") + c.version
                             + "\",\"url\":\"https://tarnhollow-audio.example/murkwisp\","
                               "\"changelog\":\"Release notes.\"}";
    LoopbackFeedServer server(LoopbackFeedServer::Ok(body));
    ASSERT_NE(server.Port(), 0);
    UpdateChecker checker;
    EXPECT_EQ(CheckAgainst(checker, server), c.status) << c.version;
    EXPECT_EQ(server.Requests(), 1);
    EXPECT_STREQ(checker.latestVersion, c.version);
    EXPECT_STREQ(checker.downloadUrl, "https://tarnhollow-audio.example/murkwisp");
    EXPECT_STREQ(checker.changelog, "Release notes.");
  }
}

TEST(UpdateFeedLoopback, FetchReturnsTheBodyUpToOneMegabyte)
{
  const std::string body = "{\"version\":\"0.9.3\",\"changelog\":\"" + std::string(5000, 'n') + "\"}";
  LoopbackFeedServer server(LoopbackFeedServer::Ok(body));
  EXPECT_EQ(UpdateChecker::FetchVersionFeed(server.Url().c_str()), body);

  // An oversized feed is read to its end but not kept beyond the first megabyte.
  const std::string huge = "{\"version\":\"0.9.3\"}" + std::string(3u << 20, ' ');
  LoopbackFeedServer hugeServer(LoopbackFeedServer::Ok(huge));
  const std::string got = UpdateChecker::FetchVersionFeed(hugeServer.Url().c_str());
  EXPECT_EQ(got.size(), 1u << 20);
  EXPECT_EQ(got.compare(0, 19, huge, 0, 19), 0);
}

TEST(UpdateFeedLoopback, MalformedFeedsFail)
{
  const std::string responses[] = {
    LoopbackFeedServer::Ok("{\"version\": \"0.9.3\"}"),
    LoopbackFeedServer::Ok("{\"version\":\"0.9"),
    LoopbackFeedServer::Ok(std::string("\x00\x01\xfe\xff", 4)),
    LoopbackFeedServer::Ok(""),
    "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found",
    "garbage that is not HTTP at all",
  };
  for (const std::string& response : responses)
  {
    LoopbackFeedServer server(response);
    UpdateChecker checker;
    EXPECT_EQ(CheckAgainst(checker, server), murkwisp::kUpdateFailed) << response;
    EXPECT_STREQ(checker.latestVersion, "");
  }
}

TEST(UpdateFeedLoopback, UnsafeDownloadAddressIsDropped)
{
  LoopbackFeedServer server(LoopbackFeedServer::Ok(
    "{\"version\":\"0.9.3\",\"url\":\"file:///etc/passwd\",\"changelog\":\"x\"}"));
  UpdateChecker checker;
  EXPECT_EQ(CheckAgainst(checker, server), murkwisp::kUpdateAvailable);
  EXPECT_STREQ(checker.downloadUrl, "");
}

TEST(UpdateFeedLoopback, UnreachableFeedFailsQuickly)
{
  int port;
  {
    LoopbackFeedServer closed("");
    port = closed.Port();
  }
  UpdateChecker checker;
  checker.SetFeedUrl(("http://127.0.0.1:" + std::to_string(port) + "/api/version.json").c_str());
  const auto start = std::chrono::steady_clock::now();
  checker.CheckForUpdates(false);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(checker.status, murkwisp::kUpdateFailed);
  EXPECT_TRUE(checker.checkedOnce);
  EXPECT_LT(took, std::chrono::seconds(3));
}

TEST(UpdateFeedLoopback, SilentServerTimesOutAfterFiveSeconds)
{
  LoopbackFeedServer server("", /*answer*/ false);
  UpdateChecker checker;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(CheckAgainst(checker, server), murkwisp::kUpdateFailed);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(4500));
  EXPECT_LT(took, std::chrono::seconds(9));
}
