#pragma once
// Lets the core tell the user of a failure it handles itself, through a message box titled "错误".
#include "model/UserNotifier.h"
#include "ui/DialogHost.h"

namespace vorandel::ui {

class HostNotifier : public UserNotifier {
 public:
  HostNotifier(DialogHost& host, BoxOwner owner) : host_(host), owner_(owner) {}
  void showError(const std::string& text) override { host_.messageBox(owner_, text, "错误", BoxStyle::Error); }

 private:
  DialogHost& host_;
  BoxOwner owner_;
};

}  // namespace vorandel::ui
