#pragma once
// Basic types, constants and the calling convention of the CLAP C interface
// (version 1.2.7). Declared here from the published layout; every struct of
// the interface is plain C with natural alignment.
#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define CLAP_ABI __cdecl
#define CLAP_EXPORT __attribute__((dllexport))
#else
#define CLAP_ABI
#define CLAP_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

struct clap_version
{
  uint32_t major;
  uint32_t minor;
  uint32_t revision;
};
using clap_version_t = clap_version;

#define CLAP_VERSION_MAJOR 1u
#define CLAP_VERSION_MINOR 2u
#define CLAP_VERSION_REVISION 7u
#define CLAP_VERSION_INIT \
  clap_version_t { CLAP_VERSION_MAJOR, CLAP_VERSION_MINOR, CLAP_VERSION_REVISION }

// Any 1.x is compatible with any other 1.x; 0.x were development versions.
inline bool clap_version_is_compatible(const clap_version_t v) { return v.major >= 1; }

using clap_id = uint32_t;
static const clap_id CLAP_INVALID_ID = UINT32_MAX;

enum
{
  CLAP_NAME_SIZE = 256,
  CLAP_PATH_SIZE = 1024
};

using clap_beattime = int64_t;
using clap_sectime = int64_t;
static const int64_t CLAP_BEATTIME_FACTOR = 1LL << 31;
static const int64_t CLAP_SECTIME_FACTOR = 1LL << 31;

using clap_process_status = int32_t;
enum
{
  CLAP_PROCESS_ERROR = 0,
  CLAP_PROCESS_CONTINUE = 1,
  CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2,
  CLAP_PROCESS_TAIL = 3,
  CLAP_PROCESS_SLEEP = 4,
};

using clap_log_severity = int32_t;
enum
{
  CLAP_LOG_DEBUG = 0,
  CLAP_LOG_INFO = 1,
  CLAP_LOG_WARNING = 2,
  CLAP_LOG_ERROR = 3,
  CLAP_LOG_FATAL = 4,
  CLAP_LOG_HOST_MISBEHAVING = 5,
  CLAP_LOG_PLUGIN_MISBEHAVING = 6,
};

struct clap_color
{
  uint8_t alpha;
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};
using clap_color_t = clap_color;

} // extern "C"
