#pragma once
// The pixels a stretch of GL work rasterises: an occlusion query
// (GL_SAMPLES_PASSED) of the current context. Without multisampling a
// sample is a pixel; fragments count whether colour writes are on or not
// (stencil passes too), discarded ones do not.
#include "renderer/EglTestContext.h"

class SamplesPassedQuery
{
public:
  SamplesPassedQuery()
  {
    mGen = reinterpret_cast<GenQueries>(EglTestContext::Proc("glGenQueries"));
    mDelete = reinterpret_cast<DeleteQueries>(EglTestContext::Proc("glDeleteQueries"));
    mBegin = reinterpret_cast<BeginQuery>(EglTestContext::Proc("glBeginQuery"));
    mEnd = reinterpret_cast<EndQuery>(EglTestContext::Proc("glEndQuery"));
    mResult = reinterpret_cast<GetQueryObjectuiv>(EglTestContext::Proc("glGetQueryObjectuiv"));
    if (mGen && mDelete && mBegin && mEnd && mResult)
      mGen(1, &mQuery);
  }
  ~SamplesPassedQuery()
  {
    if (mQuery != 0)
      mDelete(1, &mQuery);
  }
  SamplesPassedQuery(const SamplesPassedQuery&) = delete;
  SamplesPassedQuery& operator=(const SamplesPassedQuery&) = delete;

  bool Ok() const { return mQuery != 0; }
  void Begin() { mBegin(kSamplesPassed, mQuery); }
  // Ends the query and waits for its count.
  unsigned End()
  {
    mEnd(kSamplesPassed);
    unsigned samples = 0;
    mResult(mQuery, kQueryResult, &samples);
    return samples;
  }

private:
  static constexpr unsigned kSamplesPassed = 0x8914, kQueryResult = 0x8866;
  using GenQueries = void (*)(int n, unsigned* ids);
  using DeleteQueries = void (*)(int n, const unsigned* ids);
  using BeginQuery = void (*)(unsigned target, unsigned id);
  using EndQuery = void (*)(unsigned target);
  using GetQueryObjectuiv = void (*)(unsigned id, unsigned pname, unsigned* params);

  GenQueries mGen = nullptr;
  DeleteQueries mDelete = nullptr;
  BeginQuery mBegin = nullptr;
  EndQuery mEnd = nullptr;
  GetQueryObjectuiv mResult = nullptr;
  unsigned mQuery = 0;
};
