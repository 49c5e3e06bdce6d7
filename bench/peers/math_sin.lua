-- math_sin with a global sum.
S = 0.0
for I = 1, 1000000 do
  S = S + math.sin(I)
end
print(string.format("%.17g", S))
