#include "CTarvelApp.h"

int main(int argc, char* argv[]) {
    CTarvelApp app(argc, argv);
    if (!app.InitInstance()) return 1;
    return app.exec();
}
