// Tells a test script where a top-level window's client area is on the screen, the way Windows
// itself sees it: winprobe TITLE prints "WIDTH HEIGHT X Y", or fails when no such window shows.
#include <windows.h>

#include <stdio.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        fwprintf(stderr, L"usage: winprobe TITLE\n");
        return 2;
    }
    // In real pixels at any display scale, not in the 96-dpi pixels Windows shows a program
    // that does not say it knows about scaling.
    SetProcessDPIAware();
    HWND window = FindWindowW(NULL, argv[1]);
    RECT client;
    POINT origin = {0, 0};
    if (!window || !IsWindowVisible(window) || !GetClientRect(window, &client) || !ClientToScreen(window, &origin)) {
        return 1;
    }
    printf("%ld %ld %ld %ld\n", client.right - client.left, client.bottom - client.top, origin.x, origin.y);
    return 0;
}
