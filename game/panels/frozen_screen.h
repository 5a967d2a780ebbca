// The picture the player saw last, kept while a modal screen draws over it.
#pragma once
#include <memory>

class KGraphic;

class FrozenScreen {
  public:
    FrozenScreen(); // grabs the frame on show
    ~FrozenScreen();
    FrozenScreen(const FrozenScreen&) = delete;
    FrozenScreen& operator=(const FrozenScreen&) = delete;

    // Covers the whole screen with the grabbed frame, on the plain view.
    void Draw();

  private:
    std::unique_ptr<KGraphic> picture;
};
