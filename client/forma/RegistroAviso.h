#pragma once

class QWidget;

// The window-flash record, laid out as the attention request has always kept it: dwFlags 7 while
// the window asks for attention, 0 once a resize stopped it.
struct RegistroAviso
{
    static constexpr unsigned kPiscarTudo = 7; // caption and taskbar button, until stopped
    static constexpr unsigned kParar = 0;

    unsigned cbSize = 20;
    QWidget* hwnd = nullptr;
    unsigned dwFlags = kPiscarTudo;
    unsigned uCount = 0;
    unsigned dwTimeout = 0;
};
