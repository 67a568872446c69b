#include "tests/fakes/fake_processes.h"

namespace diduzo::fakes {

namespace {
ProcessCall callOf(ProcessOp op, unsigned long now) {
  ProcessCall call{};
  call.op = op;
  call.now = now;
  return call;
}
}  // namespace

std::vector<ProcessCall> FakeProcesses::callsOf(ProcessOp op) const {
  std::vector<ProcessCall> out;
  for (const ProcessCall& call : calls)
    if (call.op == op) out.push_back(call);
  return out;
}

bool FakeProcesses::create(const Text& application, const Text& commandLine, const Text& directory, ProcessRef& out) {
  ProcessCall call = callOf(ProcessOp::Create, now);
  call.application = application;
  call.commandLine = commandLine;
  call.directory = directory;
  calls.push_back(call);
  if (!createWorks) return false;
  out.id = nextProcessId++;
  out.handle = &openHandles;  // any non-null reference
  ++openHandles;
  return true;
}

bool FakeProcesses::shellOpen(const Text& file, const Text& parameters, const Text& directory) {
  ProcessCall call = callOf(ProcessOp::Shell, now);
  call.file = file;
  call.commandLine = parameters;
  call.directory = directory;
  calls.push_back(call);
  return shellWorks;
}

void FakeProcesses::sleep(unsigned milliseconds) {
  ProcessCall call = callOf(ProcessOp::Sleep, now);
  call.milliseconds = milliseconds;
  calls.push_back(call);
  now += milliseconds;
}

void FakeProcesses::waitForInputIdle(const ProcessRef& process, unsigned milliseconds) {
  ProcessCall call = callOf(ProcessOp::WaitIdle, now);
  call.milliseconds = milliseconds;
  call.processId = process.id;
  calls.push_back(call);
}

WindowHandle FakeProcesses::firstTopLevelWindowOf(unsigned long processId) {
  ProcessCall call = callOf(ProcessOp::Walk, now);
  call.processId = processId;
  calls.push_back(call);
  const auto found = windowOf.find(processId);
  return found != windowOf.end() && walks() >= windowFromWalk ? found->second : nullptr;
}

Text FakeProcesses::upperCase(TextView text) {
  Text out(text);
  for (char16_t& c : out)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return out;
}

void FakeProcesses::release(ProcessRef& process) {
  ProcessCall call = callOf(ProcessOp::Release, now);
  call.processId = process.id;
  calls.push_back(call);
  if (process.handle) --openHandles;
  process = ProcessRef{};
}

Text FakeEnvironment::get(const Text& name) {
  lookups.push_back(name);
  const auto found = values.find(name);
  return found == values.end() ? Text() : found->second;
}

}  // namespace diduzo::fakes
