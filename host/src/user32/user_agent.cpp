// The agent that answers for the user.

#include "host/user_agent.h"

#include <cstdio>
#include <cstdlib>

namespace host {
namespace {
UserAgent* agent = nullptr;
}  // namespace

void SetUserAgent(UserAgent* newAgent) { agent = newAgent; }

UserAgent& User() {
  if (agent == nullptr) {
    std::fprintf(stderr, "host: the module waits for the user, but no user agent is set\n");
    std::abort();
  }
  return *agent;
}

}  // namespace host
