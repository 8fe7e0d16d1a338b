// The program's main window: products, their profiles and the applications each
// profile loads. It also owns the configuration model in every mode.
#pragma once

#include "engine/model.h"
#include "framework/dialog.h"

class CPManDlg : public fw::Dialog {
 public:
  CPManDlg();

  ConfigurationModel& Model() { return model_; }
  // The registered message by which a second instance asks this one to come forward.
  void SetActivationMessage(UINT message) { activationMessage_ = message; }

 protected:
  BOOL OnInitDialog() override;
  bool PreTranslateMessage(MSG& message) override;

 private:
  void BringToFront();

  ConfigurationModel model_;
  UINT activationMessage_ = 0;
};
