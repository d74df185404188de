#pragma once
// The printer as Qt sees it, for the layers that draw with Qt themselves (the rich text
// layer lays its pages out with QTextDocument): the device to measure and lay out against,
// and the painter of the page being printed. Only layers that use Qt include this.

class QPainter;
class QPrinter;
class TPrinter;

// The printer's Qt device; its page layout is the printer's settings once BeginDoc ran.
QPrinter& PrinterDevice(TPrinter& Printer);
// The painter of the current page while printing (origin at the printable area), else none.
QPainter* PrinterPainter(TPrinter& Printer);
