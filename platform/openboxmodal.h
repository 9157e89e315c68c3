#pragma once

class QWidget;

// Openbox (checked with 3.6.1, under Qt 6.4.2's X11 platform) gives every dialog a minimise and a
// maximise button, the modal ones too, fixed size or not. Minimising one takes its parent window
// along, so nothing is lost, but neither button has a use there, and on Windows such a dialog has
// neither. Under Openbox alone this describes the modal window as a tool bar, the kind of framed
// window Openbox gives only a close button; elsewhere it does nothing. Call before the window is
// first shown.
void hideOpenboxMinimiseButton(QWidget *modal);
