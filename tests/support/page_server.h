// Fixture pages for the readers: a loopback server that answers each path with its page and
// stands behind http_proxy for the whole test, so the readers' own addresses reach it.
#pragma once

#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "support/loopback_server.h"

class PageServer {
 public:
  PageServer() {
    server_.SetHandler([this](const loopback::RecordedRequest& request) {
      if (onRequest_) onRequest_(request.Path());
      std::lock_guard lock(mutex_);
      auto page = pages_.find(request.Path());
      if (page == pages_.end()) {
        loopback::ScriptedResponse missing;
        missing.statusLine = "HTTP/1.1 404 Not Found";
        return missing;
      }
      return loopback::Ok(page->second, {{"Content-Type", "text/html; charset=gbk"}});
    });
    const std::string proxy = "http://127.0.0.1:" + std::to_string(server_.port());
    setenv("http_proxy", proxy.c_str(), 1);
    unsetenv("no_proxy");
    unsetenv("NO_PROXY");
  }
  ~PageServer() {
    unsetenv("http_proxy");
    server_.Stop();
  }

  // The page served at path (origin form, with its query).
  void Serve(const std::string& path, const std::string& body) {
    std::lock_guard lock(mutex_);
    pages_[path] = body;
  }

  std::vector<loopback::RecordedRequest> Requests() const { return server_.Requests(); }

  // Called with each request's path before it is answered (set before the first request).
  void OnRequest(std::function<void(const std::string& path)> hook) {
    onRequest_ = std::move(hook);
  }

 private:
  loopback::Server server_;
  std::function<void(const std::string& path)> onRequest_;
  std::mutex mutex_;
  std::map<std::string, std::string> pages_;
};
