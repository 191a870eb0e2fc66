#include "shell/rolvan_app.h"

// The one application object, made before start-up as the framework expects.
CRolvanApp theApp;

int main(int argc, char* argv[]) {
    return AfxWinMain(argc, argv);
}
