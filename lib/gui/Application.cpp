#include "gui/Application.h"

#include "gui/Form.h"

namespace gui {

Application::Application(Backend& backend) : backend_(backend) {}

Application::~Application() {
  DestroyForms();
}

void Application::Adopt(std::unique_ptr<Form> form) {
  Form& ref = *form;
  forms_.push_back(std::move(form));
  backend_.FormCreated(ref);
  Invoke(ref.OnCreate);
}

Form* Application::FindForm(const std::string& name) const {
  for (const auto& form : forms_) {
    if (form->Name() == name) return form.get();
  }
  return nullptr;
}

void Application::Run() {
  Form* main = MainForm();
  if (main != nullptr && !quitRequested_) main->Show();
  while (!quitRequested_) {
    if (!backend_.WaitMessage()) break;
  }
  terminated_ = true;
  DestroyForms();
}

void Application::ProcessMessages() {
  backend_.ProcessMessages();
  if (quitRequested_) terminated_ = true;
}

void Application::DestroyForms() {
  // Last created first: the dialog goes before the main window.
  while (!forms_.empty()) {
    Form& form = *forms_.back();
    Invoke(form.OnDestroy);
    backend_.FormDestroyed(form);
    forms_.pop_back();
  }
}

void Application::ShowMessage(const std::string& text) {
  // A pending end request closes a modal box at once.
  if (quitRequested_) {
    terminated_ = true;
    return;
  }
  backend_.MessageBox(BoxKind::Message, Title, text);
}

std::string Application::ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void Application::ShowException(const std::string& message) {
  if (quitRequested_) {
    terminated_ = true;
    return;
  }
  backend_.MessageBox(BoxKind::Error, Title, ErrorBoxText(message));
}

void Application::Invoke(const Handler& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

void Application::SetScreenCursor(Cursor cursor) {
  cursor_ = cursor;
  backend_.SetCursor(cursor);
}

void Application::RunModal(Form& form) {
  while (form.ModalResult() == mrNone && !quitRequested_) {
    if (!backend_.WaitMessage()) break;
  }
  if (quitRequested_) terminated_ = true;
}

}  // namespace gui
