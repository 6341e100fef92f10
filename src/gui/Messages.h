// Message boxes and questions with the program's exact texts, titles, buttons and icons.
#pragma once

#include <QMessageBox>
#include <QString>

namespace Module1 {

// Title of every message box and input box that is given none of its own.
QString ApplicationTitle();

// A message box with one OK button.
void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon,
                 const QString& title = QString());

// A message box with the error (stop) icon and one OK button, titled "Error".
void ShowError(QWidget* parent, const QString& text);

// An error message for a document that was not written: heading, then the file's name and why.
void ShowSaveFailure(QWidget* parent, const QString& heading, const QString& path, const QString& reason);

// A Yes/No question without icon; true on Yes.
bool AskYesNo(QWidget* parent, const QString& text, const QString& title = QString());

// Asks for a document name with an input box titled with the application title. False when
// the answer is blank or cancelled, or when the name could leave the program's folders (then
// after an error message ending in refusal, for example "the picture was not saved!").
bool AskFileName(QWidget* parent, const QString& prompt, const QString& refusal, QString* name);

}  // namespace Module1
