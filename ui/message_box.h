#pragma once

#include <QMessageBox>
#include <string_view>

#include "panel/air_field.h"

class QWidget;

namespace tarvel {

// The Qt icon of a message: the exclamation style is what Qt calls a warning.
QMessageBox::Icon QtIcon(MessageIcon icon);

// Shows a modal Qt message box with the given text, icon and title and a single OK button, and
// returns when the user has closed it. Texts are UTF-8. A null parent gives a box of its own,
// centred on the screen, as needed while the window is not yet shown.
void ShowMessageBox(QWidget* parent, std::string_view text, MessageIcon icon,
                    std::string_view title);

}  // namespace tarvel
