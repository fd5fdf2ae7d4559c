#include "base/MessageBoxes.h"

void tell(MessageBoxes& boxes, const std::string& text)
{
    MessageRequest box;
    box.text = text;
    boxes.message(box);
}

bool askYesNo(MessageBoxes& boxes, const std::string& text, bool yesIsDefault)
{
    MessageRequest box;
    box.text = text;
    box.buttons = MessageButtons::YesNo;
    box.defaultYes = yesIsDefault;
    return boxes.message(box) == MessageAnswer::Yes;
}
