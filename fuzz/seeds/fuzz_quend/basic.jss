900#TIMERES 25
#P1 F 0 0
#D1VTJCHL10CF1 Title
0:00:01.05 0:00:02.10 VTJC {Bob}Hi \Bbold\b \C1c \n x
@30 @60 [Title] a \
  b
@1 @2 D1VP100 t
