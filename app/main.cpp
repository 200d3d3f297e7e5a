#include "app/launcher_app.h"

int main(int argc, char** argv) {
    kestrun::CLauncherApp application;
    return application.InitInstance(argc, argv);
}
