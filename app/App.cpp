// Product code starts here.
