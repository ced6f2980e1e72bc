#pragma once

// Log lines on standard error, each with its date and time, one line per message.
namespace RegistroLog {
void Instalar();
} // namespace RegistroLog
