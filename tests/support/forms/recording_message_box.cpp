#include "tests/support/forms/recording_message_box.h"

namespace forms {

int RecordingMessageBox::show(const QString& prompt, int style, const QString& title)
{
    boxes.push_back(Box{prompt, style, title});
    if (answers_.empty())
        return default_answer(style);
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

ScopedMessageBoxRecorder::ScopedMessageBoxRecorder()
    : recorder_(std::make_shared<RecordingMessageBox>()), previous_(set_message_box_service(recorder_))
{
}

ScopedMessageBoxRecorder::~ScopedMessageBoxRecorder() { set_message_box_service(previous_); }

} // namespace forms
