/*! cond
*/ `q` # c
'it\'s'