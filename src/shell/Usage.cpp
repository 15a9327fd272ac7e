// The help and version texts of the command line.
#include "shell/Usage.h"

std::string usageText()
{
    return "Usage: tintrow [OPTION]...\n"
           "Tintrow, a ball-and-lines puzzle game.\n"
           "\n"
           "Options:\n"
           "  /nofullscreen /width:W /height:H\n"
           "                  play on a device screen of W x H pixels (default 240 x 320)\n"
           "  /scale:N        show each device pixel N times enlarged (default: fit the desktop)\n"
           "  /smartphone     play as a keypad phone without a stylus\n"
           "  /script:FILE    play headless from a script, the same way every time (below)\n"
           "  --help          show this help and exit\n"
           "  --version       show the version and exit\n"
           "\n"
           "Scripts: one command per line, '#' starts a comment; the clock is virtual, 42 ms a pass.\n"
           "  wait MS, key K, keydown K, keyup K     K: a key code, LEFT RIGHT UP DOWN RETURN\n"
           "                                         ESCAPE BACK TAB SPACE F1-F12, 0-9 or A-Z\n"
           "  tap X Y, press X Y, drag X Y, release X Y   the stylus, in device pixels\n"
           "  button B, buttondown B, buttonup B     B: A B X Y BACK START LB RB LS RS LT RT,\n"
           "                                         or the d-pad's UP DOWN LEFT RIGHT\n"
           "  stick X Y                              the left stick, -32768 to 32767\n"
           "  shot FILE.png, quit\n"
           "  heap FILE                              append the virtual time and heap bytes in use\n"
           "\n"
           "Keys: arrows or keypad digits move (keypad 1 3 7 9 diagonally), Return acts,\n"
           "F1 and F2 are the left and right soft keys, Escape goes back; F11 or Alt+Enter\n"
           "toggles full screen. The mouse is the stylus.\n"
           "Gamepad: the d-pad or the left stick moves, A acts, B goes back, Start and Back are\n"
           "the left and right soft keys.\n"
           "\n"
           "Environment:\n"
           "  TINTROW_HOME    where saved games, scores and settings live, in Vandrel/Tintrow\n"
           "                  (default: $XDG_DATA_HOME, else ~/.local/share)\n"
           "  SDL_VIDEODRIVER, SDL_AUDIODRIVER   SDL's choice of video and sound drivers\n";
}

std::string versionText()
{
    return "tintrow " TINTROW_VERSION "\n";
}
