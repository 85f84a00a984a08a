#include "local_http_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace palvetta {
namespace {

struct TWinsock {
  TWinsock() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
};

void Startup() { static TWinsock winsock; }

SOCKET Listener(int& port) {
  Startup();
  const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) throw std::runtime_error("socket failed");
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener, 8) != 0) {
    closesocket(listener);
    throw std::runtime_error("bind or listen failed");
  }
  int size = sizeof(address);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  port = ntohs(address.sin_port);
  return listener;
}

bool SendAll(SOCKET socket, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const int result = send(socket, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (result <= 0) return false;
    sent += static_cast<std::size_t>(result);
  }
  return true;
}

std::string StatusText(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    default: return "Status";
  }
}

}  // namespace

TLocalHttpServer::TLocalHttpServer() : FListener(Listener(FPort)) {
  FThread = std::thread([this] { Run(); });
}

TLocalHttpServer::~TLocalHttpServer() {
  {
    const std::lock_guard<std::mutex> guard(FLock);
    FStop = true;
  }
  FStopping.notify_all();
  FThread.join();
  closesocket(static_cast<SOCKET>(FListener));
}

int TLocalHttpServer::ClosedPort() {
  int port = 0;
  closesocket(Listener(port));
  return port;
}

void TLocalHttpServer::Serve(const std::string& path, THttpScript script) {
  const std::lock_guard<std::mutex> guard(FLock);
  FScripts[path] = std::move(script);
}

std::vector<std::string> TLocalHttpServer::Requests() const {
  const std::lock_guard<std::mutex> guard(FLock);
  return FRequests;
}

bool TLocalHttpServer::Pause(int ms) {
  std::unique_lock<std::mutex> lock(FLock);
  return !FStopping.wait_for(lock, std::chrono::milliseconds(ms), [this] { return FStop; });
}

void TLocalHttpServer::Run() {
  for (;;) {
    // Waits in short turns, so that stopping never waits for a blocked accept.
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(static_cast<SOCKET>(FListener), &ready);
    timeval turn = {0, 50000};
    {
      const std::lock_guard<std::mutex> guard(FLock);
      if (FStop) return;
    }
    const int waiting = select(0, &ready, nullptr, nullptr, &turn);
    if (waiting < 0) return;
    if (waiting == 0) continue;
    const SOCKET client = accept(static_cast<SOCKET>(FListener), nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    Answer(client);
    shutdown(client, SD_SEND);
    closesocket(client);
  }
}

void TLocalHttpServer::Answer(unsigned long long clientHandle) {
  const auto client = static_cast<SOCKET>(clientHandle);
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const int read = recv(client, buffer, sizeof(buffer), 0);
    if (read <= 0) return;
    head.append(buffer, static_cast<std::size_t>(read));
  }
  head.resize(head.find("\r\n\r\n"));
  const std::size_t start = head.find(' ') + 1;
  const std::string target = head.substr(start, head.find(' ', start) - start);
  const std::string path = target.substr(0, target.find('?'));
  THttpScript script;
  {
    const std::lock_guard<std::mutex> guard(FLock);
    FRequests.push_back(head);
    const auto found = FScripts.find(path);
    if (found == FScripts.end()) {
      script.Status = 404;
      script.Body = "not here";
    } else {
      script = found->second;
    }
  }
  if (script.StallMs > 0 && !Pause(script.StallMs)) return;
  std::string answer = "HTTP/1.1 " + std::to_string(script.Status) + " " + StatusText(script.Status) +
                       "\r\nConnection: close\r\nContent-Type: application/octet-stream\r\n";
  if (script.SendLength) answer += "Content-Length: " + std::to_string(script.Body.size()) + "\r\n";
  answer += "\r\n";
  if (!SendAll(client, answer)) return;
  const int pieces = std::max(1, script.Pieces);
  const std::size_t size = (script.Body.size() + pieces - 1) / pieces;
  for (std::size_t at = 0; at < script.Body.size(); at += size) {
    if (at > 0 && script.PauseMs > 0 && !Pause(script.PauseMs)) return;
    if (!SendAll(client, script.Body.substr(at, size))) return;
  }
}

}  // namespace palvetta
