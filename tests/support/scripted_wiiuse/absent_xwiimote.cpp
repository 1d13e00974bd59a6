// Stands in for a library the machine lacks: only its name matters.
int absent_xwiimote_marker = 0;
