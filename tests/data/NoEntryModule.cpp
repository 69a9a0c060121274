// A loadable module that is no plug-in: it exports a function, but no c4d_main.
extern "C" int thinfold_no_entry() { return 0; }
