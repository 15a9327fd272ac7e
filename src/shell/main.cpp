// Entry point of the game; the shell proper is not built yet.
#include <cstdio>

int main()
{
    std::fputs("tintrow: the game is not playable yet\n", stderr);
    return 1;
}
