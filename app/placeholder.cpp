// Application object and command line.
