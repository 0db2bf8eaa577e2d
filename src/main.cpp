#include "app/zingboard_main.h"

int main(int argc, char** argv) { return zingboardMain(argc, argv); }
