ˆa	b	c
d
e