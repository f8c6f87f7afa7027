#pragma once

// Starts the report engine for the program's run with its windows and
// printers, and makes TfrmTlac the print form of every register print.
void RegisterPrintForm();
