var theMenu = new Array();
theMenu[0] = new Array("", "");
myMenu0[0] = new Array("M","theMenu caption","","");
theMenu[1] = new Array("Top", "myMenu0");
myMenu0[3] = new Array("","x","y","myMenu01");
myMenu01[0] = new Array("L","lone "quote","","");
myMenu0[1] = new Array("M","Sub","","myMenu01");
myMenu01[0] = new Array("L","a\"b","","c");
