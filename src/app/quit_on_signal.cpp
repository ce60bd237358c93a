#include "quit_on_signal.h"

#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zc {

namespace {

// A signal handler may only do async-signal-safe things: it writes one byte,
// and the event loop does the rest.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

bool QuitOnTerminationSignals(QObject* context, void (*quit)()) {
  if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return false;

  auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [quit] {
    char byte = 0;
    [[maybe_unused]] const auto read = ::read(signalPipe[1], &byte, 1);
    quit();
  });

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  bool installed = true;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) installed = ::sigaction(signal, &action, nullptr) == 0 && installed;
  return installed;
}

}  // namespace zc
