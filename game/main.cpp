// duskward_game [--title 1|2]: a stand-in for the game, for trying the component without it.
// It lives in <root>\bin beside <root>\gamedata, shows a window with the game's title, reads the
// event file as the game's scripts would and prints what it finds; see commands.h for what it
// does on standard input.

#include "game/game_app.h"
#include "game/output.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

int edition_from_arguments(int argc, char** argv) {
    if (argc == 1) return 1;
    if (argc == 3 && std::string(argv[1]) == "--title") {
        std::string value = argv[2];
        if (value == "1" || value == "2") return value[0] - '0';
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    using namespace duskward_game;
    const int edition = edition_from_arguments(argc, argv);
    if (edition == 0) {
        print_error("usage: duskward_game [--title 1|2]");
        return 2;
    }
    // Event texts are printed byte for byte, without a CR added before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        game_app app(GetModuleHandleW(nullptr), edition_title(edition));
        return app.run();
    } catch (const std::exception& error) {
        print_error(std::string("duskward_game: ") + error.what());
        return 1;
    }
}
