#pragma once
// A small HTTP server on 127.0.0.1 inside the test program: each path answers as its
// script says (status, body with or without a length, in slow pieces, or only after a
// stall), and every request's head is recorded.

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace palvetta {

struct THttpScript {
  int Status = 200;
  std::string Body;
  bool SendLength = true;  // else the body ends when the connection closes
  int Pieces = 1;          // the body sent in this many parts
  int PauseMs = 0;         // between the parts
  int StallMs = 0;         // before anything is sent
};

class TLocalHttpServer {
 public:
  TLocalHttpServer();
  ~TLocalHttpServer();
  TLocalHttpServer(const TLocalHttpServer&) = delete;
  TLocalHttpServer& operator=(const TLocalHttpServer&) = delete;

  std::string BaseURL() const { return "http://127.0.0.1:" + std::to_string(FPort); }
  // The path without its query; an unknown path answers 404.
  void Serve(const std::string& path, THttpScript script);
  // Each request's line and headers, as received.
  std::vector<std::string> Requests() const;

  // A port on which nobody listens.
  static int ClosedPort();

 private:
  void Run();
  void Answer(unsigned long long client);
  // Waits, but returns early (false) when the server stops.
  bool Pause(int ms);

  int FPort = 0;  // set while the listener is made, so declared before it
  unsigned long long FListener;
  mutable std::mutex FLock;
  std::condition_variable FStopping;
  bool FStop = false;
  std::map<std::string, THttpScript> FScripts;
  std::vector<std::string> FRequests;
  std::thread FThread;
};

}  // namespace palvetta
