// The notice shown while runtime prerequisites install. Start-up hands the
// real form (FrmHinweis) to the prerequisites step; tests hand a recorder.
#pragma once

class NoticeForm {
public:
    virtual ~NoticeForm() = default;
    // Makes the form before it is due, its window while the setup-type
    // program runs next, so that Show only shows it.
    virtual void Prepare() {}
    virtual void Show() = 0;    // modeless, with its default texts
    virtual void Unload() = 0;
};
