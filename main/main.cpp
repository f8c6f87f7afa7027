#include "app/Application.h"

// The libraries that build the main window's forms register them (see
// app/FormRegistry.h) before RunVimek creates the main window.
int main(int argc, char* argv[]) {
  TApplication application(argc, argv);
  return RunVimek(application);
}
