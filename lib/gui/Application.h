// The application object: the title, the message loop, the two kinds of message box, the
// screen cursor, and the error trap every event handler runs in.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "gui/Backend.h"
#include "gui/Control.h"

namespace gui {

class Form;

class Application {
 public:
  explicit Application(Backend& backend);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Backend& GetBackend() const { return backend_; }

  // Names the task-bar button and is the caption of every message box.
  std::string Title;

  // Constructs a form (its constructor builds the controls), lets the backend make its
  // window, and runs its OnCreate. The first form created becomes the main form.
  template <class T, class... Args>
  T& CreateForm(Args&&... args) {
    static_assert(std::is_base_of_v<Form, T>);
    auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *form;
    Adopt(std::move(form));
    return ref;
  }
  Form* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }
  // The form of that name, or nullptr.
  Form* FindForm(const std::string& name) const;

  // Shows the main form (its first activation runs before the loop handles any message),
  // then handles messages until asked to end; then destroys the forms, last created first.
  void Run();
  // Handles pending messages without waiting. Sees a pending end request.
  void ProcessMessages();
  // Asks the application to end. Takes effect when control next returns to message
  // processing; the handler that asked runs on to its end first.
  void Terminate() { quitRequested_ = true; }
  // True once message processing has seen the end request.
  bool Terminated() const { return terminated_; }
  bool QuitRequested() const { return quitRequested_; }

  // The assistant's own message: caption = Title, no icon, one OK.
  void ShowMessage(const std::string& text);
  // The standard error box for an error no handler trapped.
  void ShowException(const std::string& message);
  // Appends a full stop when the last character sorts after "." (as the error box shows it).
  static std::string ErrorBoxText(const std::string& message);

  // Runs an event handler; an error that leaves it is shown in the error box and ends only
  // that handler.
  void Invoke(const Handler& handler);

  Cursor ScreenCursor() const { return cursor_; }
  void SetScreenCursor(Cursor cursor);

  // Nested loop for a modal form: handles messages until the form has a result or the
  // application is asked to end.
  void RunModal(Form& form);

 private:
  void Adopt(std::unique_ptr<Form> form);
  void DestroyForms();

  Backend& backend_;
  std::vector<std::unique_ptr<Form>> forms_;
  bool quitRequested_ = false;
  bool terminated_ = false;
  Cursor cursor_ = Cursor::Default;
};

}  // namespace gui
