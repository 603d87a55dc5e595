VERSION 5.00
Begin VB.Form frameConHypo1
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "따라하기 : 관리도"
   ClientHeight    =   8370
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   12045
   BeginProperty Font
      Name            =   "굴림"
      Size            =   9
      Charset         =   129
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   8370
   ScaleWidth     =   12045
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.Label Label60
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   2520
      Left            =   6839
      TabIndex        =   26
      Top             =   4200
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label59
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   2640
      Left            =   4800
      TabIndex        =   25
      Top             =   4200
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label47
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   80
      Left            =   5880
      TabIndex        =   13
      Top             =   3241
      Width           =   4080
      WordWrap        =   -1
   End
   Begin VB.Label Label51
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   6119
      TabIndex        =   16
      Top             =   3120
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label frameMain
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   720
      Left            =   1800
      TabIndex        =   0
      Top             =   720
      Width           =   8760
      WordWrap        =   -1
   End
   Begin VB.Label Label2
      Caption         =   "관리도는 어떻게 구성되어 있을까요?"
      BackColor       =   &H00404000&
      ForeColor       =   &H00FFFFFF&
      Height          =   360
      Left            =   4440
      TabIndex        =   1
      Top             =   960
      Width           =   3840
      WordWrap        =   -1
   End
   Begin VB.Label Label11
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   80
      Left            =   2400
      TabIndex        =   2
      Top             =   2161
      Width           =   5520
      WordWrap        =   -1
   End
   Begin VB.Label Label6
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   4560
      Left            =   2400
      TabIndex        =   3
      Top             =   2160
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label14
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   840
      Left            =   7920
      TabIndex        =   4
      Top             =   2160
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label32
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   3000
      TabIndex        =   5
      Top             =   2040
      Width           =   1081
      WordWrap        =   -1
   End
   Begin VB.Label Label33
      Caption         =   "계량형자료"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   3120
      TabIndex        =   6
      Top             =   2120
      Width           =   940
      WordWrap        =   -1
   End
   Begin VB.Label Label44
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   6480
      TabIndex        =   7
      Top             =   2040
      Width           =   1081
      WordWrap        =   -1
   End
   Begin VB.Label Label45
      Caption         =   "계수형자료"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   6600
      TabIndex        =   8
      Top             =   2120
      Width           =   940
      WordWrap        =   -1
   End
   Begin VB.CommandButton CommandButton8
      Caption         =   "자료의 형태?"
      BackColor       =   &H00FFFFFF&
      Height          =   600
      Left            =   4560
      TabIndex        =   9
      Top             =   1920
      Width           =   1440
   End
   Begin VB.Label Label46
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   8880
      TabIndex        =   12
      Top             =   3120
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label Label50
      Caption         =   "결점"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   9120
      TabIndex        =   15
      Top             =   3200
      Width           =   480
      WordWrap        =   -1
   End
   Begin VB.CommandButton CommandButton10
      Caption         =   "결점 측정 유형?"
      BackColor       =   &H00FFFFFF&
      Height          =   600
      Left            =   7199
      TabIndex        =   11
      Top             =   3000
      Width           =   1440
   End
   Begin VB.Label Label49
      Caption         =   "불량품"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   6280
      TabIndex        =   14
      Top             =   3200
      Width           =   600
      WordWrap        =   -1
   End
   Begin VB.Label Label52
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   840
      Left            =   5880
      TabIndex        =   17
      Top             =   3241
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label53
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   840
      Left            =   9960
      TabIndex        =   18
      Top             =   3241
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label54
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   80
      Left            =   4800
      TabIndex        =   19
      Top             =   4201
      Width           =   2040
      WordWrap        =   -1
   End
   Begin VB.Label Label55
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   4440
      TabIndex        =   20
      Top             =   5041
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label Label56
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   6479
      TabIndex        =   21
      Top             =   5041
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label Label57
      Caption         =   "변동"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   6719
      TabIndex        =   22
      Top             =   5121
      Width           =   480
      WordWrap        =   -1
   End
   Begin VB.CommandButton CommandButton11
      Caption         =   "부분군 크기?"
      BackColor       =   &H00FFFFFF&
      Height          =   600
      Left            =   5160
      TabIndex        =   23
      Top             =   3961
      Width           =   1440
   End
   Begin VB.Label Label58
      Caption         =   "일치"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   4679
      TabIndex        =   24
      Top             =   5121
      Width           =   439
      WordWrap        =   -1
   End
   Begin VB.Label Label61
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   2520
      Left            =   10920
      TabIndex        =   27
      Top             =   4200
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label62
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   2640
      Left            =   8880
      TabIndex        =   28
      Top             =   4200
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label63
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   8520
      TabIndex        =   29
      Top             =   5041
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label Label64
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   10560
      TabIndex        =   30
      Top             =   5041
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label Label65
      Caption         =   "변동"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   10799
      TabIndex        =   31
      Top             =   5121
      Width           =   480
      WordWrap        =   -1
   End
   Begin VB.Label Label66
      Caption         =   "일치"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   8760
      TabIndex        =   33
      Top             =   5121
      Width           =   439
      WordWrap        =   -1
   End
   Begin VB.Label Label67
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   80
      Left            =   8880
      TabIndex        =   34
      Top             =   4200
      Width           =   2040
      WordWrap        =   -1
   End
   Begin VB.CommandButton CommandButton12
      Caption         =   "부분군 크기?"
      BackColor       =   &H00FFFFFF&
      Height          =   600
      Left            =   9240
      TabIndex        =   32
      Top             =   3961
      Width           =   1440
   End
   Begin VB.CommandButton CommandButton6
      Caption         =   "np"
      BackColor       =   &H00404000&
      Height          =   600
      Left            =   4440
      TabIndex        =   35
      Top             =   6360
      Width           =   720
   End
   Begin VB.CommandButton CommandButton13
      Caption         =   "p"
      BackColor       =   &H00404000&
      Height          =   600
      Left            =   6479
      TabIndex        =   36
      Top             =   6360
      Width           =   720
   End
   Begin VB.CommandButton CommandButton14
      Caption         =   "u"
      BackColor       =   &H00404000&
      Height          =   600
      Left            =   10560
      TabIndex        =   37
      Top             =   6360
      Width           =   720
   End
   Begin VB.CommandButton CommandButton15
      Caption         =   "c"
      BackColor       =   &H00404000&
      Height          =   600
      Left            =   8520
      TabIndex        =   38
      Top             =   6360
      Width           =   720
   End
   Begin VB.Label Label68
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   2520
      Left            =   3480
      TabIndex        =   39
      Top             =   4200
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label69
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   2640
      Left            =   1320
      TabIndex        =   40
      Top             =   4200
      Width           =   80
      WordWrap        =   -1
   End
   Begin VB.Label Label70
      Caption         =   ""
      BackColor       =   &H00404000&
      ForeColor       =   &H80000012&
      Height          =   80
      Left            =   1320
      TabIndex        =   41
      Top             =   4200
      Width           =   2160
      WordWrap        =   -1
   End
   Begin VB.Label Label71
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   960
      TabIndex        =   42
      Top             =   5041
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label Label72
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   3120
      TabIndex        =   43
      Top             =   5041
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label Label73
      Caption         =   "n≥10"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   3320
      TabIndex        =   44
      Top             =   5121
      Width           =   480
      WordWrap        =   -1
   End
   Begin VB.Label Label74
      Caption         =   "n=1"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   1200
      TabIndex        =   45
      Top             =   5121
      Width           =   439
      WordWrap        =   -1
   End
   Begin VB.CommandButton CommandButton16
      Caption         =   "I-MR"
      BackColor       =   &H00404000&
      Height          =   600
      Left            =   960
      TabIndex        =   46
      Top             =   6360
      Width           =   720
   End
   Begin VB.CommandButton CommandButton17
      Caption         =   "Xbars"
      BackColor       =   &H00404000&
      Height          =   600
      Left            =   3120
      TabIndex        =   47
      Top             =   6360
      Width           =   720
   End
   Begin VB.CommandButton CommandButton9
      Caption         =   "부분군 크기?"
      BackColor       =   &H00FFFFFF&
      Height          =   600
      Left            =   1720
      TabIndex        =   10
      Top             =   3960
      Width           =   1440
   End
   Begin VB.CommandButton CommandButton18
      Caption         =   "XbarR"
      BackColor       =   &H00404000&
      Height          =   600
      Left            =   2040
      TabIndex        =   48
      Top             =   6360
      Width           =   720
   End
   Begin VB.Label Label75
      Caption         =   ""
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   2040
      TabIndex        =   49
      Top             =   5040
      Width           =   840
      WordWrap        =   -1
   End
   Begin VB.Label Label76
      Caption         =   "2≤n≤9"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   220
      Left            =   2160
      TabIndex        =   50
      Top             =   5120
      Width           =   679
      WordWrap        =   -1
   End
   Begin VB.CommandButton Cancel
      Caption         =   "닫기"
      BackColor       =   &H8000000F&
      Height          =   360
      Left            =   10200
      TabIndex        =   51
      Top             =   7440
      Width           =   1080
   End
End
Attribute VB_Name = "frameConHypo1"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False


Private Sub Label16_Click()

End Sub

Private Sub Cancel_Click()
Unload Me

End Sub

Private Sub CommandButton10_Click()
    frameConDType2.Show
End Sub

Private Sub CommandButton11_Click()
    frameConDType3.Show
End Sub

Private Sub CommandButton12_Click()
    frameConDType4.Show
End Sub

Private Sub CommandButton13_Click()
GqcP.OptionButton1.Value = False
GqcP.OptionButton1.Value = True
GqcP.Show

End Sub

Private Sub CommandButton14_Click()
GqcU.OptionButton1.Value = False
GqcU.OptionButton1.Value = True
GqcU.Show

End Sub

Private Sub CommandButton15_Click()
GqcC.OptionButton1.Value = False
GqcC.OptionButton1.Value = True
GqcC.Show

End Sub

Private Sub CommandButton16_Click()
GqcI.OptionButton1.Value = False
GqcI.OptionButton1.Value = True
GqcI.Show

End Sub

Private Sub CommandButton17_Click()
GqcS.OptionButton1.Value = False
GqcS.OptionButton1.Value = True
GqcS.Show

End Sub

Private Sub CommandButton18_Click()
GqcR.OptionButton1.Value = False
GqcR.OptionButton1.Value = True
GqcR.Show

End Sub

Private Sub CommandButton6_Click()
GqcNP.OptionButton1.Value = False
GqcNP.OptionButton1.Value = True
GqcNP.Show

End Sub

Private Sub CommandButton8_Click()
    frameConDType1.Show
End Sub

Private Sub CommandButton9_Click()
    frameConDType5.Show
End Sub

Private Sub Label73_Click()

End Sub

Private Sub Form_Click()

End Sub
