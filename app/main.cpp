#include <clocale>

#include "CTarvelApp.h"

int main(int argc, char* argv[]) {
    CTarvelApp app(argc, argv);
    // Qt adopts the user's locale for the C library as well; the script language reads and
    // prints numbers with a decimal point whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    if (!app.InitInstance()) return 1;
    return app.exec();
}
