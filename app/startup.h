#pragma once

class QApplication;

// Loads Qt's Simplified Chinese texts, then creates the five windows, hidden, in start-up
// order: start window, settings window, (the application title), main window, strip
// window, search window.
void createForms(QApplication &app);
// Destroys them in reverse order.
void destroyForms();
// Shows the start window and runs the event loop until it closes; exit code 0.
int runProgram(QApplication &app);
