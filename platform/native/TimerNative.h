#pragma once

// Native stand-in for the Windows thread timer: nothing fires by itself;
// tests (and native test modules) drive the framework timers by hand, on
// their own thread, deterministically.
namespace ifx::native {

// Fires every running timer once, in creation order. Returns the ticks run.
int TickTimers();

// Moves the stand-in clock on by ms and fires each timer once for every
// whole interval it completed, in time order (creation order on ties).
int AdvanceTimers(int ms);

// Fires the timer with this id as the platform callback would; unknown ids
// are ignored (false).
bool FireTimerId(unsigned long long id);

} // namespace ifx::native
