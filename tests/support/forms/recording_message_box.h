#pragma once
// A message-box service for tests: it records every box instead of showing it and answers
// from a queue of answers (then with the box's default button).

#include "platform/forms/services/message_box.h"

#include <QString>

#include <deque>
#include <memory>
#include <vector>

namespace forms {

// Records every box and answers from a queue (then the default button).
class RecordingMessageBox : public MessageBoxService {
public:
    struct Box {
        QString prompt;
        int style;
        QString title;
    };
    int show(const QString& prompt, int style, const QString& title) override;
    void answer_next(int result) { answers_.push_back(result); }

    std::vector<Box> boxes;

private:
    std::deque<int> answers_;
};

// Installs a recorder for the lifetime of this object and restores the previous service.
class ScopedMessageBoxRecorder {
public:
    ScopedMessageBoxRecorder();
    ~ScopedMessageBoxRecorder();
    ScopedMessageBoxRecorder(const ScopedMessageBoxRecorder&) = delete;
    ScopedMessageBoxRecorder& operator=(const ScopedMessageBoxRecorder&) = delete;
    RecordingMessageBox& operator*() const { return *recorder_; }
    RecordingMessageBox* operator->() const { return recorder_.get(); }

private:
    std::shared_ptr<RecordingMessageBox> recorder_;
    std::shared_ptr<MessageBoxService> previous_;
};

} // namespace forms
