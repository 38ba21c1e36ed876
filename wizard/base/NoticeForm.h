// The notice shown while runtime prerequisites install. Start-up hands the
// real form (FrmHinweis) to the prerequisites step; tests hand a recorder.
#pragma once

class NoticeForm {
public:
    virtual ~NoticeForm() = default;
    virtual void Show() = 0;    // modeless, with its default texts
    virtual void Unload() = 0;
};
