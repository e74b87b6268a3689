#include "qt/App.h"

int main(int argc, char** argv) {
    return tablon::RunTablon(argc, argv);
}
