// The notice shown while runtime prerequisites install: a caption, one line
// of text and dots that keep moving while the program handles events.
#pragma once

#include <string>

#include "ui/Form.h"
#include "wizard/base/NoticeForm.h"

class FrmHinweis : public ui::Form {
  public:
    FrmHinweis();

    // Set before the form loads; empty ones take their defaults.
    std::string Hinweistext;
    std::string DialogCaption;

    ui::Control Label1;
    ui::Timer Timer1;

  protected:
    void OnLoad() override;
    void OnUnload() override;
    // The notice stays until start-up is done with it.
    void OnCloseBox() override {}

  private:
    void Timer1_Timer();
    int dotCounter_ = 0;
};

// Start-up's notice: shows the real form modeless and unloads it again.
class FrmHinweisNotice : public NoticeForm {
  public:
    ~FrmHinweisNotice() override;
    void Prepare() override;
    void Show() override;
    void Unload() override;
    FrmHinweis* Shown() const { return form_; }

  private:
    FrmHinweis* form_ = nullptr;
};
