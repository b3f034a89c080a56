// The SDL driver lives here.
